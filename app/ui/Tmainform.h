#pragma once
// The main window. Its frame, status line and server actions are built up in
// files of their own, one per concern.
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "app/core/ProxyFile.h"

class Tmainform : public QWidget {
    Q_OBJECT
public:
    explicit Tmainform(QWidget* parent = nullptr);

    QString pooshe;  // laboratory folder code, set by the sign-in

    // Proxy settings from "pro.txt": the FTP client's, and the time client's SOCKS settings.
    orv::ProxySettings ftpProxy;
    orv::ProxySettings sntpProxy;

    QLabel* Image2;         // hidden holder of the success picture
    QLabel* Image5;         // hidden holder of the failure picture
    QLabel* Image9;         // hidden holder of the pending picture
    QLabel* Image7;         // "Program Security" indicator
    QPlainTextEdit* Memo5;  // default content of "check.txt"

    std::vector<std::string> Memo5Lines() const;

public slots:
    // The server check; at its end it sets the sign-in window's `waite`.
    void SpeedButton15Click();
};
