#include "BenchProgram.h"

#include "app/Lymain.h"
#include "app/ProgramWindows.h"
#include "app/notebook/Notebook.h"
#include "common/Gbk.h"
#include "shell/Settings.h"
#include "store/DataFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include <unistd.h>

#include <string>

namespace qj::bench {

namespace {

bool PlaceDataFile(const QString& source, const QString& target) {
    if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0 &&
        !QFile::copy(source, target))
        return false;
    return QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}

bool WriteSettings(const QString& path, const QString& category) {
    QFile ini(path);
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    // In GBK, as the program writes it.
    const std::string text = Utf8ToGbk("[Info]\r\nCurTb=" + category.toStdString() + "\r\n");
    return ini.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

} // namespace

BenchProgram::BenchProgram(const QString& dataFile, const QString& category)
    : dir_(QDir::tempPath() + QStringLiteral("/qj-bench-program-XXXXXX")),
      category_(category), services_{dialogs_, clock_, launcher_, sound_,
                                     ProgramFolder(dir_.path(), QString::fromUtf8(QJ_BENCH_PROGRAM_FILES))} {
    ready_ = dir_.isValid() && !dataFile.isEmpty() &&
             PlaceDataFile(dataFile, dir_.filePath(QString::fromUtf8(kDataFileName))) &&
             WriteSettings(dir_.filePath(QString::fromUtf8(kSettingsFileName)), category);
}

BenchProgram::~BenchProgram() {
    stop();
}

bool BenchProgram::start() {
    stop();
    main_ = std::make_unique<TFmain>(services_);
    windows_ = std::make_unique<ProgramWindows>(*main_, services_);
    main_->showMaximized();
    ShowAndDraw(main_.get());
    return main_->notebook().categoryName() == category_;
}

void BenchProgram::stop() {
    windows_.reset();
    main_.reset();
    QApplication::processEvents(); // what was deleted later
}

PaintCounter::PaintCounter() {
    QApplication::instance()->installEventFilter(this);
}

PaintCounter::~PaintCounter() {
    QApplication::instance()->removeEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++count_;
    return QObject::eventFilter(watched, event);
}

void ShowAndDraw(QWidget* window) {
    if (!window->isVisible())
        window->show();
    Draw(window);
}

void Draw(QWidget* window) {
    // The layouts settle, then the whole window is painted into its backing store at once.
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window->repaint();
    QApplication::processEvents();
}

} // namespace qj::bench
