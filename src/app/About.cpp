#include "app/About.h"

#include "shell/FontFamilies.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace qj {

namespace {

constexpr const char* kMemoLines[] = {
    "软件介绍：",
    "",
    "1。百年历西历-农历对照。",
    "2。每日吉凶，佛菩萨，节日。",
    "3。根据日期，数字，手摇等排六爻卦。",
    "4。资料分类存储。",
    "5。强大的文本资料编辑器。",
    "6。全目录分类，全文查找。打印，导出文件。",
    "7。定时提示报警器。",
    "",
    kContactLine,
};

const QColor kGreen(0, 128, 0);
const QColor kTeal(0, 128, 128);
const QColor kMemoBack(255, 222, 206);

QLabel* GreenLine(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kGreen);
    label->setPalette(palette);
    return label;
}

} // namespace

QStringList TFabout::MemoLines() {
    QStringList lines;
    for (const char* line : kMemoLines)
        lines.append(QString::fromUtf8(line));
    return lines;
}

TFabout::TFabout(std::function<QString()> versionText, QWidget* parent, const QString& dataFolder)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint),
      versionText_(std::move(versionText)) {
    setObjectName(QStringLiteral("Fabout"));
    setWindowTitle(QStringLiteral("关于"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QFrame(this);
    top->setObjectName(QStringLiteral("pnl1"));
    top->setFrameShape(QFrame::StyledPanel);
    auto* topLayout = new QHBoxLayout(top);
    auto* picture = new QLabel(top);
    picture->setObjectName(QStringLiteral("img1"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/qingjian32.png")).pixmap(32, 32));
    picture->setFixedSize(32, 32);
    topLayout->addWidget(picture, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("青简札记"), top);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont(DisplayFamilyFor(QStringLiteral("宋体")));
    titleFont.setPixelSize(15);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignHCenter);
    texts->addWidget(title);
    lbl1_ = new QLabel(top);
    lbl1_->setObjectName(QStringLiteral("lbl1"));
    lbl1_->setAlignment(Qt::AlignHCenter);
    texts->addWidget(lbl1_);
    texts->addWidget(GreenLine(kProjectLine, top));
    texts->addWidget(GreenLine(kContactLine, top));
    topLayout->addLayout(texts, 1);
    // Balances the picture, so the title stays centred in the frame.
    topLayout->addSpacing(32);
    layout->addWidget(top);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setPlainText(MemoLines().join(QLatin1Char('\n')));
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, kTeal);
    palette.setColor(QPalette::Base, kMemoBack);
    memo->setPalette(palette);
    layout->addWidget(memo, 1);

    if (!dataFolder.isEmpty()) {
        auto* folder =
            new QLabel(QStringLiteral("数据文件夹：") + QDir::toNativeSeparators(dataFolder), this);
        folder->setObjectName(QStringLiteral("lblDataFolder"));
        folder->setWordWrap(true);
        folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(folder);
    }

    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("btn2"));
    close->setAutoRaise(true);
    close->setIcon(QIcon(QStringLiteral(":/icons/btnClose.png")));
    close->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    close->setText(QStringLiteral("关闭"));
    close->setToolTip(QStringLiteral("关闭"));
    close->setMinimumSize(96, 30);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);

    // The designed client area, fixed: the memo scrolls what does not fit.
    memo->setMinimumHeight(0);
    setFixedSize(kClientSize);
}

// The version label copies the main window's version panel each time the window is shown.
void TFabout::showEvent(QShowEvent* event) {
    if (versionText_)
        lbl1_->setText(versionText_());
    QDialog::showEvent(event);
}

} // namespace qj
