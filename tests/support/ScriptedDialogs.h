#pragma once
// Dialogs for tests: every answer comes from a queue the test fills beforehand, and every question
// is recorded. A dialog the test did not expect (its queue is empty) fails the test with the
// question's caption and text and returns the safe answer (Cancel / No / nothing), never blocks.
//
//     ScriptedDialogs dialogs;
//     dialogs.answerMessage(DialogButton::Yes);
//     dialogs.answerInput(QStringLiteral("新类别"));
//     ... trigger the command ...
//     ASSERT_EQ(dialogs.calls().size(), 2u);
//     EXPECT_EQ(dialogs.calls()[0].caption, "Confirm");

#include "seams/Dialogs.h"

#include <QColor>
#include <QFont>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace qj::test {

enum class DialogKind { Message, Input, Number, OpenFile, SaveFile, Font, Color, Print, PageSetup };

const char* DialogKindName(DialogKind kind);

// One question the program asked, as it asked it.
struct DialogCall {
    DialogKind kind = DialogKind::Message;
    QString caption;
    QString text;                                    // message text, or the input or number box's prompt
    MessageIcon icon = MessageIcon::None;            // messages
    std::vector<DialogButton> buttons;               // messages
    std::vector<QString> buttonTexts;                // messages: own words on the buttons
    DialogButton defaultButton = DialogButton::None; // messages
    bool frameworkBox = false;                       // messages: "Confirm", "Information", "Error"
    QWidget* parent = nullptr;                       // messages: the window the box belongs to
    QString startText;                               // input box starting text
    int maxLength = 0;                               // input box
    NumberRequest number;                            // number box
    FileRequest file;                                // file dialogs
    QFont initialFont;                               // font dialog
    QColor initialColor;                             // font and colour dialogs
    bool answered = true;                            // false: the queue was empty (the test failed)
};

class ScriptedDialogs final : public Dialogs {
public:
    ~ScriptedDialogs() override;

    // --- answers, used in order, one queue per kind of dialog ---
    void answerMessage(DialogButton button) { messages_.push_back(button); }
    void answerInput(const QString& text) { inputs_.push_back(text); }
    void cancelInput() { inputs_.push_back(std::nullopt); }
    // The number box ends within its limits, as its spin box does: a number beyond them is taken
    // as the nearest limit.
    void answerNumber(int number) { numbers_.push_back(number); }
    void cancelNumber() { numbers_.push_back(std::nullopt); }
    void answerOpenFile(const QString& path) { openFiles_.push_back(path); }
    void cancelOpenFile() { openFiles_.push_back(std::nullopt); }
    void answerSaveFile(const QString& path) { saveFiles_.push_back(path); }
    void cancelSaveFile() { saveFiles_.push_back(std::nullopt); }
    // The font dialog's answer; without a colour, the text colour the dialog started with.
    void answerFont(const QFont& font, std::optional<QColor> color = std::nullopt) {
        fonts_.push_back(FontAnswer{font, color});
    }
    void cancelFont() { fonts_.push_back(std::nullopt); }
    void answerColor(const QColor& color) { colors_.push_back(color); }
    void cancelColor() { colors_.push_back(std::nullopt); }
    // Print and page-setup dialogs: true = OK. `adjust` may change the printer as the user would
    // (for example set a PDF output file) before OK is returned.
    void answerPrint(bool ok, std::function<void(QPrinter&)> adjust = {});
    void answerPageSetup(bool ok, std::function<void(QPrinter&)> adjust = {});

    // Runs at every question, before it is answered (e.g. to look at the window meanwhile).
    void onEachCall(std::function<void(const DialogCall&)> observer) { observer_ = std::move(observer); }

    // --- what was asked ---
    const std::vector<DialogCall>& calls() const { return calls_; }
    std::vector<DialogCall> callsOf(DialogKind kind) const;
    // The last question; fails the test (and returns an empty call) when none was asked.
    DialogCall last() const;
    void clearCalls() { calls_.clear(); }
    // Answers still waiting in the queues (a test may check that all were used).
    size_t pendingAnswers() const;
    // When true (the default), the destructor fails the test if scripted answers were left unused.
    void setExpectAllAnswersUsed(bool expect) { expectAllUsed_ = expect; }

    // --- the Dialogs interface ---
    DialogButton message(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> inputText(QWidget* parent, const InputRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<int> inputNumber(QWidget* parent, const NumberRequest& request) override;
    std::optional<FontChoice> font(QWidget* parent, const FontChoice& initial,
                                   const QString& caption) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial, const QString& caption) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    bool pageSetup(QWidget* parent, QPrinter& printer) override;

private:
    struct PrinterAnswer {
        bool ok;
        std::function<void(QPrinter&)> adjust;
    };
    struct FontAnswer {
        QFont font;
        std::optional<QColor> color;
    };
    DialogCall& record(DialogCall call);
    void unexpected(DialogCall& call);

    std::deque<DialogButton> messages_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> openFiles_;
    std::deque<std::optional<QString>> saveFiles_;
    std::deque<std::optional<int>> numbers_;
    std::deque<std::optional<FontAnswer>> fonts_;
    std::deque<std::optional<QColor>> colors_;
    std::deque<PrinterAnswer> prints_;
    std::deque<PrinterAnswer> pageSetups_;
    std::vector<DialogCall> calls_;
    std::function<void(const DialogCall&)> observer_;
    bool expectAllUsed_ = true;
};

} // namespace qj::test
