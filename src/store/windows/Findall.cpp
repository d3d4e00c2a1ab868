#include "store/windows/Findall.h"

#include "seams/Dialogs.h"
#include "seams/StandardBoxes.h"
#include "shell/AppTitle.h"
#include "shell/ErrorHandler.h"
#include "store/DataFile.h"
#include "store/StoreError.h"
#include "store/windows/SearchHost.h"
#include "store/windows/SearchResultModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainterPath>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace qj {

namespace {

const QString kCaption = QStringLiteral("资料查询-所有【目录分类】");
constexpr int kStripHeight = 39;
constexpr int kDirColumnWidth = 57;
constexpr int kCornerDiameter = 10;

QToolButton* FlatButton(QWidget* parent, const char* name, const QString& hint, const QString& picture,
                        const QString& fallbackText) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus); // the search box keeps the keyboard
    if (QFile::exists(picture)) {
        b->setIcon(QIcon(picture));
        b->setIconSize(QSize(24, 24));
    } else {
        b->setText(fallbackText);
    }
    return b;
}

// Sets the tooltip of the grid's viewport, where the mouse rests.
void SetGridHint(QTableView* grid, const QString& hint) {
    grid->viewport()->setToolTip(hint);
    grid->setToolTip(hint);
}

} // namespace

TFind_all::TFind_all(SearchHost& host, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Find_all"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    // A window of the main window's own: it stays above it while open, also after a click into it,
    // with a normal caption bar and close box on every window manager (some draw a tool window
    // without any frame).
    setWindowFlags((parent ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* strip = new QWidget(this);
    strip->setFixedHeight(kStripHeight);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(4);
    edt1_ = new QLineEdit(strip);
    edt1_->setObjectName(QStringLiteral("edt1"));
    edt1_->setFixedWidth(250);
    edt1_->installEventFilter(this);
    btn1_ = FlatButton(strip, "btn1", QStringLiteral("查找"), QStringLiteral(":/icons/actFindall16.png"),
                       QStringLiteral("查找"));
    rb1_ = new QRadioButton(QStringLiteral("题目"), strip);
    rb1_->setObjectName(QStringLiteral("rb1"));
    rb1_->setToolTip(QStringLiteral("在题目中查询"));
    rb2_ = new QRadioButton(QStringLiteral("内容"), strip);
    rb2_->setObjectName(QStringLiteral("rb2"));
    rb2_->setToolTip(QStringLiteral("在内容中查询"));
    rb2_->setChecked(true);
    chk1_ = new QCheckBox(QStringLiteral("显示提示"), strip);
    chk1_->setObjectName(QStringLiteral("chk1"));
    chk1_->setToolTip(QStringLiteral("选择显示提示:\r\n则,双击鼠标下面内容仅显示提示\r\n否则，直接进入内容"));
    QFont small(QStringLiteral("SimSun"));
    small.setPixelSize(13);
    chk1_->setFont(small);
    QPalette grey = chk1_->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    grey.setColor(QPalette::ButtonText, Qt::gray);
    chk1_->setPalette(grey);
    btn2_ = FlatButton(strip, "btn2", QStringLiteral("关闭"), QStringLiteral(":/icons/actExit16.png"),
                       QStringLiteral("关闭"));
    row->addWidget(edt1_);
    row->addWidget(btn1_);
    row->addWidget(rb1_);
    row->addWidget(rb2_);
    row->addWidget(chk1_);
    row->addStretch(1);
    row->addWidget(btn2_);

    model_ = new SearchResultModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGridEh1"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setSectionResizeMode(SearchResultModel::kDirColumn, QHeaderView::Interactive);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->resizeSection(SearchResultModel::kDirColumn, kDirColumnWidth);
    QPalette look = grid_->palette();
    look.setColor(QPalette::Base, QColor(253, 219, 243));
    look.setColor(QPalette::AlternateBase, QColor(253, 219, 243));
    look.setColor(QPalette::Text, QColor(0, 0, 255));
    grid_->setPalette(look);

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetNoConstraint); // the design size, whatever the fonts
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(strip);
    column->addWidget(makeOptionsStrip());
    column->addWidget(grid_, 1);

    connect(btn1_, &QToolButton::clicked, this, &TFind_all::btn1Click);
    connect(edt1_, &QLineEdit::returnPressed, this, &TFind_all::btn1Click);
    connect(btn2_, &QToolButton::clicked, this, &QWidget::close);
    connect(rb1_, &QRadioButton::clicked, this, &TFind_all::radioClick);
    connect(rb2_, &QRadioButton::clicked, this, &TFind_all::radioClick);
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { DBGridEh1DblClick(index.row()); });
    edt1_->setFocus();
}

QString TFind_all::previewHint() const {
    return grid_->viewport()->toolTip();
}

void TFind_all::btn1Click() {
    const QString text = TrimSearchText(edt1_->text());
    closeResult();
    const QStringList names = host_.categoryNames();
    DataFile* file = host_.dataFile();
    if (names.isEmpty() || !file)
        return;
    QString caption = QStringLiteral("记录 - ") + names.join(QLatin1Char('|'));
    setWindowTitle(caption);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const SearchSettings o = options();
        const SearchOptions matching{o.words, o.variants, o.pinyin};
        const SearchField field = rb1_->isChecked() ? SearchField::Title : SearchField::Content;
        std::vector<SearchHit> hits = SearchNotes(*file, names, text, field, matching);
        model_->setContext(o.context && field == SearchField::Content && !text.isEmpty()
                               ? SnippetsOf(host_, text, matching)
                               : SearchResultModel::SnippetOf());
        QApplication::restoreOverrideCursor();
        const size_t count = hits.size();
        model_->setHits(std::move(hits));
        grid_->horizontalHeader()->resizeSection(SearchResultModel::kDirColumn, kDirColumnWidth);
        if (count > 0)
            grid_->selectRow(0);
        setWindowTitle(QString::number(count) + caption);
    } catch (const StoreError& e) {
        QApplication::restoreOverrideCursor();
        reportError(e.text());
    }
}

void TFind_all::DBGridEh1DblClick(int row) {
    const SearchHit* hit = model_->hit(row);
    DataFile* file = host_.dataFile();
    if (!hit || !file)
        return;
    const SearchHit found = *hit; // the result may be replaced while the main window works
    const QString text = TrimSearchText(edt1_->text());
    try {
        const std::optional<HitRecord> record = ReadHitRecord(file->db(), found);
        if (!record)
            return;
        if (chk1_->isChecked()) {
            SetGridHint(grid_, SearchPreviewText(found.category, *record));
            return;
        }
        SetGridHint(grid_, QString());
        if (!record->id || !host_.openNote(found.category, found.rowid, TrimSearchText(record->name)))
            return;
    } catch (const StoreError& e) {
        reportError(e.text());
        return;
    }
    if (text.isEmpty())
        return;
    if (options() != SearchSettings{}) {
        markOccurrences(text);
        return;
    }
    const std::vector<int> at =
        FindOccurrences(host_.editorText(), text, host_.searchMatchCase(), host_.searchWholeWord());
    setWindowTitle(QStringLiteral("本文包含 %1 要查询的内容！").arg(at.size()));
    if (!at.empty())
        host_.selectInEditor(at.front(), static_cast<int>(text.size()));
}

void TFind_all::radioClick() {
    setWindowTitle(kCaption);
    edt1_->clear();
}

void TFind_all::closeResult() {
    model_->setHits({});
}

void TFind_all::reportError(const QString& text) {
    ShowGeneralError(dialogs_, this, text);
}

bool TFind_all::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edt1_) {
        if (event->type() == QEvent::FocusIn) {
            closeResult();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->text() == QLatin1String("'")) {
                edt1_->clear();
                MessageBox(dialogs_, this, QString::fromUtf8(kAppTitle), QStringLiteral("请重新输入查找字符"),
                           MessageIcon::None);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The window has rounded corners.
void TFind_all::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width(), height()), kCornerDiameter / 2.0, kCornerDiameter / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

} // namespace qj
