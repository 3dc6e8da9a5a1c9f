// The account refresh, as far as the server link needs it: the bill comes
// through the session the server check left open, which it closes. Reading the
// bill (name, version, notices, overdue check) belongs to the accounting area.
#include <QPlainTextEdit>
#include <QTimer>

#include "app/ui/Tmainform.h"
#include "base/core/TextFile.h"
#include "server/core/ServerMessages.h"

using namespace Qt::StringLiterals;

void Tmainform::SpeedButton2Click() {
    if (!farok) {
        Timer3->start();
        return;
    }
    billok = true;
    std::string bill;
    orv::ServerAction a = orv::ServerAction::DownloadToMemory(u"/Text Result\\"_s + pooshe + u"\\bill.txt"_s, &bill, 0);
    a.testNetok = false;
    a.openSession = false;
    a.failureText = QString::fromUtf8(netok ? orv::msg::kServer : orv::msg::kNetworkRefresh);
    a.successText = QStringLiteral("Succese.");
    if (RunServerAction(a) == orv::ActionResult::Done) {
        cap = QStringLiteral("   ");
        QStringList lines;
        for (const std::string& l : orv::DecodeText(bill).lines) lines << QString::fromStdString(l);
        Memo1->setPlainText(lines.join(u'\n'));
    }
    Timer3->start();
}
