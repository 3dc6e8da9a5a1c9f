// calendar-gallery [--drop N]: shows the calendar components; with --drop the
// drop-down of the N-th picker (0-based) opens once the window is shown.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "GalleryWindow.h"
#include "solar/widgets/SolarLook.h"
#include "solar/widgets/TSolarDatePicker.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orv::solar::UseLocaleShortDateFormat();
    GalleryWindow window;
    const QStringList args = app.arguments();
    const int dropAt = args.indexOf(QStringLiteral("--drop"));
    const int bottom = args.indexOf(QStringLiteral("--bottom"));
    window.show();
    if (bottom > 0) {
        // Against the screen's bottom edge, so a drop-down has to open above its picker.
        const QRect screen = window.screen()->availableGeometry();
        window.move(window.x(), screen.bottom() - window.frameGeometry().height() + 1);
    }
    if (dropAt > 0 && dropAt + 1 < args.size()) {
        const size_t n = args.at(dropAt + 1).toUInt();
        QTimer::singleShot(500, &window, [&window, n] {
            if (n < window.Pickers().size()) window.Pickers()[n]->Drop();
        });
    }
    return app.exec();
}
