#pragma once
// The program update: the version the central laboratory publishes on the
// bill against this program's, shown on the "UpTo Date" indicator, whose
// double click downloads the published program to the Desktop.
#include <QObject>
#include <QStringList>
#include <functional>

class QLabel;
class QToolButton;

namespace orv::ui {
class WindowFrame;
}  // namespace orv::ui

namespace orv::accounting {

struct Account;

class ProgramUpdate : public QObject {
    Q_OBJECT

public:
    ProgramUpdate(orv::ui::WindowFrame& frame, QObject* parent);

    QToolButton* updateButton = nullptr;  // "SpeedButton9", hidden: the download
    QLabel* versionCaption = nullptr;     // "Label3"
    QLabel* versionLabel = nullptr;       // "Label19": this program's version
    bool programCurrent = false;          // the program was found current
    // The bill read last, line by line: its second line names the published version.
    std::function<QStringList()> billLines;

public slots:
    void checkVersion(const orv::accounting::Account& account);
    void onIndicatorDoubleClicked();
    void downloadUpdate();

private:
    orv::ui::WindowFrame& frame_;
};

}  // namespace orv::accounting
