#include "app/shell/LaunchOptions.h"

#include "seams/DataFolder.h"

namespace qj {

namespace {

QString Refusal(const QString& what, const QList<QPair<QString, QString>>& options) {
    QStringList accepted;
    for (const auto& o : options)
        accepted << o.first;
    accepted << QString::fromLatin1(kToggleOption)
             << QString::fromLatin1(kDataFolderOption) + QStringLiteral(" DIR") << QStringLiteral("--help")
             << QStringLiteral("--version");
    return QStringLiteral("qingjian: %1 (accepted: %2)").arg(what, accepted.join(QStringLiteral(", ")));
}

} // namespace

LaunchRequest ParseLaunchArguments(const QStringList& arguments,
                                   const QList<QPair<QString, QString>>& options) {
    LaunchRequest request;
    const QString folderOption = QString::fromLatin1(kDataFolderOption);
    auto refuse = [&](const QString& what) {
        LaunchRequest refused;
        refused.error = Refusal(what, options);
        return refused;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            request.help = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            request.version = true;
            continue;
        }
        if (argument == QLatin1String(kToggleOption)) {
            request.toggle = true;
            continue;
        }
        if (argument == folderOption || argument.startsWith(folderOption + QLatin1Char('='))) {
            const QString folder = argument == folderOption
                                       ? (i + 1 < arguments.size() ? arguments[++i] : QString())
                                       : argument.mid(folderOption.size() + 1);
            if (folder.isEmpty())
                return refuse(QStringLiteral("%1 needs the folder to keep the data in").arg(folderOption));
            request.dataFolder = folder;
            continue;
        }
        const auto known =
            std::find_if(options.begin(), options.end(),
                         [&](const QPair<QString, QString>& o) { return o.first == argument; });
        if (known == options.end())
            return refuse(QStringLiteral("unknown option '%1'").arg(argument));
        if (!request.windows.contains(known->second))
            request.windows << known->second;
    }
    return request;
}

QString LaunchUsage(const QList<QPair<QString, QString>>& options, const QString& dataFolderLine) {
    QString text = QStringLiteral("用法: qingjian [选项]\n"
                                  "青简札记: 分类笔记、万年历、六爻排卦、定时报警。\n"
                                  "程序已在运行时，再次启动只让正在运行的程序显示所要的窗口。\n\n"
                                  "选项:\n");
    for (const auto& o : options)
        text += QStringLiteral("  %1\n      %2\n").arg(o.first, o.second);
    text += QStringLiteral("  %1\n      正在运行的程序隐藏或显示主窗口和托盘图标，与热键 Ctrl+Alt+A 相同；\n"
                           "      热键不可用时（如 Wayland 桌面），可在桌面的键盘设置中把一个快捷键绑定到\n"
                           "      “qingjian %1”\n")
                .arg(QString::fromLatin1(kToggleOption));
    text += QStringLiteral("  %1 DIR\n      数据放在 DIR（也可用环境变量 %2）\n")
                .arg(QString::fromLatin1(kDataFolderOption), QString::fromLatin1(kDataFolderVariable));
    text += QStringLiteral("  --help\n      显示本说明\n  --version\n      显示版本\n\n");
    text += QStringLiteral("数据文件夹: 程序旁有文件 \"%1\" 或 dataly.dat 时数据放在程序旁（便携）；\n"
                           "安装的程序把数据放在 $XDG_DATA_HOME/qingjian（默认 ~/.local/share/qingjian）。\n")
                .arg(QString::fromLatin1(kPortableMarker));
    text += dataFolderLine + QLatin1Char('\n');
    return text;
}

} // namespace qj
