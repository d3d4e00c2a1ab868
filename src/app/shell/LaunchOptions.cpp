#include "app/shell/LaunchOptions.h"

namespace qj {

LaunchRequest ParseLaunchArguments(const QStringList& arguments,
                                   const QList<QPair<QString, QString>>& options) {
    LaunchRequest request;
    for (const QString& argument : arguments) {
        const auto known =
            std::find_if(options.begin(), options.end(),
                         [&](const QPair<QString, QString>& o) { return o.first == argument; });
        if (known == options.end()) {
            QStringList accepted;
            for (const auto& o : options)
                accepted << o.first;
            request.windows.clear();
            request.error = QStringLiteral("qingjian: unknown option '%1' (accepted: %2)")
                                .arg(argument, accepted.join(QStringLiteral(", ")));
            return request;
        }
        if (!request.windows.contains(known->second))
            request.windows << known->second;
    }
    return request;
}

} // namespace qj
