#include "app/TrayPresence.h"

namespace qj {

Presence AfterTrayToggle(Presence now) {
    return {!now.windowShown, now.iconShown};
}

Presence AfterHotKey(Presence now) {
    if (now.windowShown)
        return {false, false};
    return {true, true};
}

Presence AfterShowRequest(Presence) {
    return {true, true};
}

QString TrayTooltip::text() const {
    return QString::fromUtf8(!hovered_ ? kFirst : hotKeyHeld_ ? kAfterHover : kAfterHoverWithoutKey);
}

QString ToggleAdvice(bool hotKeyHeld, const QString& platform, bool alreadyGiven) {
    if (hotKeyHeld || alreadyGiven || platform == QLatin1String("offscreen") ||
        platform == QLatin1String("minimal"))
        return QString();
    return QStringLiteral(
        "这个桌面不允许程序自己使用全局热键 Ctrl+Alt+A（例如 Wayland 桌面，或热键已被别的程序占用）。\n\n"
        "可以在桌面的“设置 → 键盘 → 快捷键”中添加一个自定义快捷键，命令填写：\n\n"
        "    qingjian --toggle\n\n"
        "按下它就像按 Ctrl+Alt+A 一样隐藏或显示主窗口和托盘图标。此提示只显示一次。");
}

} // namespace qj
