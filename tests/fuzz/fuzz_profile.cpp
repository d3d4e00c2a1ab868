// The settings file's reader and writer on any file: a write changes the key written and nothing
// else that can be read (no other value, not the encoding the file was read in), the value reads
// back as written (or the write is refused and changes nothing), and a write that fails leaves the
// file byte for byte as it was.
//
// Input: the file's bytes, then (after the last 0xFF byte, when there is one) the section, key and
// value to write, separated by 0xFE.
#include "FuzzCheck.h"

#include "shell/ProfileFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdint>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace qj;

namespace {

QString Path() {
    static const QString path = QStringLiteral("/dev/shm/qj-fuzz-profile-%1.ini").arg(::getpid());
    return path;
}

void Put(const std::string& bytes) {
    QFile f(Path());
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()));
}

std::string Bytes() {
    QFile f(Path());
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

// The names a reader could ask for: every [section] and key= of the file as read.
std::vector<std::pair<QString, QString>> Names(const std::string& bytes) {
    std::vector<std::pair<QString, QString>> names;
    QString section;
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (const QString& raw : text.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            section = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (line.contains(QLatin1Char('='))) {
            names.emplace_back(section, line.left(line.indexOf(QLatin1Char('='))).trimmed());
        }
        if (names.size() >= 40)
            break;
    }
    return names;
}

QString Field(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string file = input;
    std::string section = "Font", key = "Name", value = "宋体";
    if (const size_t cut = input.rfind('\xFF'); cut != std::string::npos) {
        file = input.substr(0, cut);
        const std::string rest = input.substr(cut + 1);
        const size_t a = rest.find('\xFE');
        const size_t b = a == std::string::npos ? a : rest.find('\xFE', a + 1);
        if (b != std::string::npos) {
            section = rest.substr(0, a);
            key = rest.substr(a + 1, b - a - 1);
            value = rest.substr(b + 1);
        }
    }
    const QString s = Field(section).trimmed(), k = Field(key).trimmed(), v = Field(value);
    // Names the format cannot hold are not the writer's business.
    if (s.isEmpty() || k.isEmpty() || s.contains(QRegularExpression(QStringLiteral("[\\]\\[=\r\n]"))) ||
        k.contains(QRegularExpression(QStringLiteral("[\\[=\r\n]"))) || k.startsWith(QLatin1Char(';')))
        return 0;
    Put(file);
    ProfileFile ini(Path());
    const auto names = Names(file);
    std::vector<QString> before;
    const ProfileReading reading = ini.Read();
    for (const auto& [sec, name] : names)
        before.push_back(reading.ReadString(sec, name, QStringLiteral("<none>")));

    // A write that cannot get a single byte onto the disk changes nothing.
    {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit none = saved;
        none.rlim_cur = 0;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &none);
        const bool written = ini.WriteString(s, k, v);
        setrlimit(RLIMIT_FSIZE, &saved);
        FUZZ_CHECK(!written);
        FUZZ_CHECK(Bytes() == file);
    }

    // A write the file's encoding cannot take without changing how the file reads is refused and
    // leaves the file as it was.
    if (!ini.WriteString(s, k, v)) {
        FUZZ_CHECK(Bytes() == file);
        return 0;
    }
    const ProfileReading after = ini.Read();
    QString expected = v;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    FUZZ_CHECK(after.ReadString(s, k) == expected);
    for (size_t i = 0; i < names.size(); ++i) {
        const auto& [sec, name] = names[i];
        if (sec.compare(s, Qt::CaseInsensitive) == 0 && name.compare(k, Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK(after.ReadString(sec, name, QStringLiteral("<none>")) == before[i]);
    }
    return 0;
}
