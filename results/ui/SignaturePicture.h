#pragma once
// The laboratory's signature and stamp: "signature.png" in the workspace when
// the laboratory has put one there, otherwise a plain placeholder.
#include <QImage>
#include <QString>

namespace orv::results {

QString SignatureFileName();  // "signature.png"
// `root` ends with its separator.
QImage LoadSignature(const QString& root);
QImage PlaceholderSignature();

}  // namespace orv::results
