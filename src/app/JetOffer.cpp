#include "app/JetOffer.h"

#include "seams/StandardBoxes.h"
#include "shell/ErrorHandler.h"
#include "store/jet/JetApart.h"
#include "store/jet/JetFile.h"
#include "store/jet/JetInPlace.h"

#include <QApplication>
#include <QFileInfo>

namespace qj {

namespace {

constexpr char kCaption[] = "转换数据文件";

// The hourglass while the conversion runs, back to normal on every way out.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

JetOffer OfferJetConversion(Dialogs& dialogs, QWidget* parent, const QString& dataPath) {
    if (!HasJetSignature(dataPath))
        return JetOffer::NotJet;
    const QString name = QFileInfo(dataPath).fileName();
    const QString question = QStringLiteral("数据文件“%1”是旧的 Jet 数据库文件，本程序不能直接打开。\r\n\r\n"
                                            "要把它转换成本程序的数据文件吗？原来的文件会原样保留为“%2”。")
                                 .arg(name, QFileInfo(JetKeepName(dataPath)).fileName());
    if (MessageBox(dialogs, parent, QString::fromUtf8(kCaption), question, MessageIcon::Question,
                   {DialogButton::Yes, DialogButton::No}) != DialogButton::Yes)
        return JetOffer::Declined;
    JetApartOutcome outcome;
    {
        const WaitCursor wait;
        outcome = ConvertJetDataFileInPlaceApart(dataPath);
    }
    if (!outcome.converted) {
        ShowGeneralError(dialogs, parent,
                         QStringLiteral("数据文件没有转换，原文件保持原样：%1").arg(outcome.text));
        return JetOffer::Failed;
    }
    MessageBox(dialogs, parent, QString::fromUtf8(kCaption), outcome.text, MessageIcon::Information);
    return JetOffer::Converted;
}

} // namespace qj
