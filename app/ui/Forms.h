#pragma once
// The program's four windows, alive for the whole run.
class SignInWindow;
class MainWindow;
namespace orv::ui {
class TestsInfoWindow;
}  // namespace orv::ui
namespace orv::reception {
class ReceptionWindow;
}  // namespace orv::reception

extern SignInWindow* signInWindow;
extern MainWindow* mainWindow;
extern orv::ui::TestsInfoWindow* testsInfoWindow;
extern orv::reception::ReceptionWindow* receptionWindow;

// Creates the windows in the program's order: sign-in, main, tests information,
// reception. All start hidden.
void CreateForms();
// Deletes them (tests create and destroy them per case).
void DestroyForms();
// Brings the windows that are showing to the front (a second start of the program asked).
void BringFormsForward();
