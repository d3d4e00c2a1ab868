#include "support/ScriptedDialogs.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace qj::test {

namespace {

// The next answer of a queue that holds one.
template <typename T> T TakeFront(std::deque<T>& queue) {
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

template <typename T> std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    return TakeFront(queue);
}

bool Has(const std::vector<DialogButton>& buttons, DialogButton button) {
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

// What a user who does not want anything to happen would press.
DialogButton SafeAnswer(const MessageRequest& request) {
    for (DialogButton b : {DialogButton::Cancel, DialogButton::No})
        if (Has(request.buttons, b))
            return b;
    return request.buttons.empty() ? DialogButton::Ok : request.buttons.front();
}

} // namespace

const char* DialogKindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message:
        return "message box";
    case DialogKind::Input:
        return "input box";
    case DialogKind::Number:
        return "number box";
    case DialogKind::OpenFile:
        return "open-file dialog";
    case DialogKind::SaveFile:
        return "save-file dialog";
    case DialogKind::Font:
        return "font dialog";
    case DialogKind::Color:
        return "colour dialog";
    case DialogKind::Print:
        return "print dialog";
    case DialogKind::PageSetup:
        return "page-setup dialog";
    }
    return "dialog";
}

ScriptedDialogs::~ScriptedDialogs() {
    if (expectAllUsed_ && pendingAnswers() != 0)
        ADD_FAILURE() << "ScriptedDialogs: " << pendingAnswers()
                      << " scripted dialog answer(s) were never asked for";
}

void ScriptedDialogs::answerPrint(bool ok, std::function<void(QPrinter&)> adjust) {
    prints_.push_back({ok, std::move(adjust)});
}

void ScriptedDialogs::answerPageSetup(bool ok, std::function<void(QPrinter&)> adjust) {
    pageSetups_.push_back({ok, std::move(adjust)});
}

std::vector<DialogCall> ScriptedDialogs::callsOf(DialogKind kind) const {
    std::vector<DialogCall> out;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
                 [kind](const DialogCall& c) { return c.kind == kind; });
    return out;
}

DialogCall ScriptedDialogs::last() const {
    if (calls_.empty()) {
        ADD_FAILURE() << "ScriptedDialogs: no dialog was shown";
        return {};
    }
    return calls_.back();
}

size_t ScriptedDialogs::pendingAnswers() const {
    return messages_.size() + inputs_.size() + numbers_.size() + openFiles_.size() + saveFiles_.size() +
           fonts_.size() + colors_.size() + prints_.size() + pageSetups_.size();
}

DialogCall& ScriptedDialogs::record(DialogCall call) {
    calls_.push_back(std::move(call));
    if (observer_)
        observer_(calls_.back());
    return calls_.back();
}

void ScriptedDialogs::unexpected(DialogCall& call) {
    call.answered = false;
    std::ostringstream buttons;
    for (DialogButton b : call.buttons)
        buttons << ' ' << ButtonName(b);
    ADD_FAILURE() << "Unexpected " << DialogKindName(call.kind) << " (no scripted answer): caption \""
                  << call.caption.toStdString() << "\", text \"" << call.text.toStdString() << "\""
                  << (call.kind == DialogKind::Message
                          ? std::string(", icon ") + IconName(call.icon) + ", buttons" + buttons.str()
                          : std::string());
}

DialogButton ScriptedDialogs::message(QWidget* parent, const MessageRequest& request) {
    DialogCall call;
    call.kind = DialogKind::Message;
    call.parent = parent;
    call.frameworkBox = request.frameworkBox;
    call.caption = request.caption;
    call.text = request.text;
    call.icon = request.icon;
    call.buttons = request.buttons;
    call.buttonTexts = request.buttonTexts;
    call.defaultButton = request.defaultButton;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(messages_)) {
        if (!Has(request.buttons, *answer) && !(request.buttons.empty() && *answer == DialogButton::Ok))
            ADD_FAILURE() << "Scripted answer " << ButtonName(*answer) << " is not a button of the box \""
                          << request.caption.toStdString() << "\": \"" << request.text.toStdString() << "\"";
        return *answer;
    }
    unexpected(recorded);
    return SafeAnswer(request);
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const InputRequest& request) {
    DialogCall call;
    call.kind = DialogKind::Input;
    call.caption = request.caption;
    call.text = request.prompt;
    call.startText = request.text;
    call.maxLength = request.maxLength;
    DialogCall& recorded = record(std::move(call));
    if (!inputs_.empty())
        return TakeFront(inputs_);
    unexpected(recorded);
    return std::nullopt;
}

std::optional<int> ScriptedDialogs::inputNumber(QWidget*, const NumberRequest& request) {
    DialogCall call;
    call.kind = DialogKind::Number;
    call.caption = request.caption;
    call.text = request.prompt;
    call.number = request;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(numbers_)) {
        if (!*answer)
            return std::nullopt;
        if (request.minimum > request.maximum) {
            ADD_FAILURE() << "Number box \"" << request.caption.toStdString()
                          << "\" has no number to choose: " << request.minimum << " .. " << request.maximum;
            return std::nullopt;
        }
        return std::clamp(**answer, request.minimum, request.maximum);
    }
    unexpected(recorded);
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget*, const FileRequest& request) {
    DialogCall call;
    call.kind = DialogKind::OpenFile;
    call.caption = request.caption;
    call.file = request;
    DialogCall& recorded = record(std::move(call));
    if (!openFiles_.empty())
        return TakeFront(openFiles_);
    unexpected(recorded);
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget*, const FileRequest& request) {
    DialogCall call;
    call.kind = DialogKind::SaveFile;
    call.caption = request.caption;
    call.file = request;
    DialogCall& recorded = record(std::move(call));
    if (!saveFiles_.empty())
        return TakeFront(saveFiles_);
    unexpected(recorded);
    return std::nullopt;
}

std::optional<FontChoice> ScriptedDialogs::font(QWidget*, const FontChoice& initial, const QString& caption) {
    DialogCall call;
    call.kind = DialogKind::Font;
    call.caption = caption;
    call.initialFont = initial.font;
    call.initialColor = initial.color;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(fonts_)) {
        if (!*answer)
            return std::nullopt;
        return FontChoice{(*answer)->font, (*answer)->color.value_or(initial.color)};
    }
    unexpected(recorded);
    return std::nullopt;
}

std::optional<QColor> ScriptedDialogs::color(QWidget*, const QColor& initial, const QString& caption) {
    DialogCall call;
    call.kind = DialogKind::Color;
    call.caption = caption;
    call.initialColor = initial;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(colors_))
        return *answer;
    unexpected(recorded);
    return std::nullopt;
}

bool ScriptedDialogs::print(QWidget*, QPrinter& printer) {
    DialogCall call;
    call.kind = DialogKind::Print;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(prints_)) {
        if (answer->ok && answer->adjust)
            answer->adjust(printer);
        return answer->ok;
    }
    unexpected(recorded);
    return false;
}

bool ScriptedDialogs::pageSetup(QWidget*, QPrinter& printer) {
    DialogCall call;
    call.kind = DialogKind::PageSetup;
    DialogCall& recorded = record(std::move(call));
    if (auto answer = Take(pageSetups_)) {
        if (answer->ok && answer->adjust)
            answer->adjust(printer);
        return answer->ok;
    }
    unexpected(recorded);
    return false;
}

} // namespace qj::test
