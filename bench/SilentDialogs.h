#pragma once
// Dialogs for benchmark runs: nothing is asked, opened or printed; every question is answered No.

#include "seams/Dialogs.h"

namespace qj::bench {

class SilentDialogs final : public Dialogs {
public:
    DialogButton message(QWidget*, const MessageRequest&) override { return DialogButton::No; }
    std::optional<QString> inputText(QWidget*, const InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFileName(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<int> inputNumber(QWidget*, const NumberRequest&) override { return std::nullopt; }
    std::optional<FontChoice> font(QWidget*, const FontChoice&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QColor> color(QWidget*, const QColor&, const QString&) override { return std::nullopt; }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool pageSetup(QWidget*, QPrinter&) override { return false; }
};

} // namespace qj::bench
