#pragma once
// The main window's way into reception: the "Reception" button that shows the
// reception window beside the main window, and the export of the worklist the
// window saved ("today.txt") into the laboratory's "Res" folder on the server,
// under the export date.
#include <QObject>
#include <QPointer>

class QToolButton;

namespace orv::ui {
class WindowFrame;
}  // namespace orv::ui

namespace orv::reception {

class ReceptionWindow;

class ReceptionLauncher : public QObject {
    Q_OBJECT
public:
    ReceptionLauncher(orv::ui::WindowFrame& frame, QObject* parent = nullptr);

    // The reception window (created after the main window); its export request runs exportWorklist.
    void SetWindow(ReceptionWindow* window);

    QToolButton* receptionButton = nullptr;  // "SpeedButton20": "Reception"
    QToolButton* exportButton = nullptr;     // "SpeedButton21", hidden: the export as a callable action

public slots:
    // The reception window beside the main window, wholly on its screen.
    void showReceptionWindow();
    // Sends "today.txt" as the reception window saved it, as one server action.
    void exportWorklist();

private:
    orv::ui::WindowFrame& frame_;
    QPointer<ReceptionWindow> window_;
};

}  // namespace orv::reception
