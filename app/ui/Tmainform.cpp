#include "app/ui/Tmainform.h"

#include "app/ui/Forms.h"
#include "app/ui/Pictures.h"
#include "app/ui/TForm1.h"

Tmainform::Tmainform(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mainform"));
    auto holder = [this](const char* name, const QPixmap& pm) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(pm);
        l->hide();
        return l;
    };
    Image2 = holder("Image2", orv::ui::SuccessPicture());
    Image5 = holder("Image5", orv::ui::FailurePicture());
    Image9 = holder("Image9", orv::ui::PendingPicture());
    Image7 = new QLabel(this);
    Image7->setObjectName(QStringLiteral("Image7"));
    Image7->setPixmap(Image9->pixmap());
    Image7->setGeometry(8, 8, 24, 24);
    Memo5 = new QPlainTextEdit(QStringLiteral("17"), this);
    Memo5->setObjectName(QStringLiteral("Memo5"));
    Memo5->hide();
}

std::vector<std::string> Tmainform::Memo5Lines() const {
    std::vector<std::string> lines;
    for (const QString& l : Memo5->toPlainText().split(u'\n')) lines.push_back(l.toStdString());
    return lines;
}

void Tmainform::SpeedButton15Click() {
    // Until the server link is in place the check only reports that it has ended.
    Form1->waite = true;
}
