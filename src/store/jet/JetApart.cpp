#include "store/jet/JetApart.h"

#include "store/jet/JetInPlace.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

namespace qj {

std::optional<QByteArray> RunApart(const std::function<QByteArray()>& work) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        QByteArray out;
        try {
            out = work();
        } catch (...) {
            ::_exit(1);
        }
        for (qsizetype sent = 0; sent < out.size();) {
            const ssize_t n =
                ::write(pipeEnds[1], out.constData() + sent, static_cast<size_t>(out.size() - sent));
            if (n <= 0)
                ::_exit(1);
            sent += n;
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QByteArray in;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0)
            in.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return in;
}

JetApartOutcome ConvertJetDataFileInPlaceApart(const QString& path) {
    const std::optional<QByteArray> in = RunApart([&path] {
        try {
            return "S" + JetConversionSummary(ConvertJetDataFileInPlace(path)).toUtf8();
        } catch (const std::exception& e) {
            return QByteArray("E") + e.what();
        }
    });
    if (!in || in->isEmpty())
        return {false, QStringLiteral("读 Jet 数据库文件时出错，文件已损坏")};
    return {in->startsWith('S'), QString::fromUtf8(in->mid(1))};
}

} // namespace qj
