#pragma once
// The about window "关于": the program's picture, name and version, a project line, and what the
// program offers. Shown modally from the toolbar, the Help menu and the tray menu.

#include <QDialog>
#include <QSize>

#include <functional>

class QLabel;

namespace qj {

// The lines about who makes the program, shared by the about window and the help message.
inline constexpr char kProjectLine[] = "青简札记项目 出品";
inline constexpr char kContactLine[] = "意见与建议：请通过项目主页反馈";

class TFabout : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kClientSize{321, 297};

    // `versionText` gives the text of the main window's version panel ("版本: V1.2.12.41");
    // `dataFolder`, when given, is named below the memo, so the user knows what to back up.
    TFabout(std::function<QString()> versionText, QWidget* parent = nullptr,
            const QString& dataFolder = QString());

    // The memo's lines, in order.
    static QStringList MemoLines();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<QString()> versionText_;
    QLabel* lbl1_ = nullptr;
};

} // namespace qj
