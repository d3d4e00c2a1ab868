#include "cli/ImportJet.h"

#include "cli/Json.h"
#include "store/jet/JetApart.h"
#include "store/jet/JetFile.h"
#include "store/jet/JetImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <stdexcept>

namespace qj::cli {

namespace {

// One JSON line per table, each ending in a line break.
std::string ReportLines(const JetImportReport& report) {
    std::string lines;
    for (const JetTableOutcome& t : report.tables) {
        JsonWriter json;
        json.BeginObject()
            .Field("name", t.name.toStdString())
            .Field("rows", t.rows)
            .Field("notes", t.notes)
            .Field("skipped", t.skipped)
            .Key("why");
        if (t.skipped)
            json.String(t.why.toStdString());
        else
            json.Null();
        json.Key("refused").BeginArray();
        for (const RefusedRecord& r : t.refused) {
            json.BeginObject().Key("id");
            if (r.id)
                json.Int(*r.id);
            else
                json.Null();
            json.Field("why", r.why.toStdString()).EndObject();
        }
        json.EndArray().EndObject();
        lines += json.Text() + "\n";
    }
    return lines;
}

} // namespace

void RunImportJet(const Arguments& args, Output& out) {
    if (args.size() != 2)
        throw UsageError(std::string("wrong number of arguments; usage: ") + kImportJetUsage);
    const QString jet = QString::fromStdString(args[0]), target = QString::fromStdString(args[1]);
    if (!QFileInfo(jet).isFile())
        throw UsageError("no such Jet file: " + args[0]);
    if (!HasJetSignature(jet))
        throw UsageError("not a Jet database file: " + args[0]);
    if (target.isEmpty() || target.endsWith(QLatin1Char('/')) || QFileInfo(target).isDir())
        throw UsageError("the new data file needs a file name, not '" + args[1] + "'");
    if (!QFileInfo(target).absoluteDir().exists())
        throw UsageError("no such folder for the new data file: " + args[1]);
    // The conversion runs in a child process: mdbtools' library can crash on a damaged file, which
    // then only fails the command. The child answers with a tag and its text: R the report's lines,
    // T the target exists, J the Jet file cannot be read, E the new file cannot be written.
    const std::optional<QByteArray> answer = RunApart([&jet, &target]() -> QByteArray {
        try {
            return "R" + QByteArray::fromStdString(ReportLines(ConvertJetFile(jet, target)));
        } catch (const TargetExists&) {
            return "T";
        } catch (const JetError& e) {
            return QByteArray("J") + e.what();
        } catch (const std::exception& e) {
            return QByteArray("E") + e.what();
        }
    });
    if (!answer || answer->isEmpty()) {
        QFile::remove(ConversionTempPath(target));
        QFile::remove(ConversionTempPath(target) + QStringLiteral("-journal"));
        throw UsageError("the Jet file is damaged; reading it failed: " + args[0]);
    }
    const std::string text = answer->mid(1).toStdString();
    switch (answer->front()) {
    case 'R':
        out.Raw(text);
        return;
    case 'T':
        throw UsageError("the new data file exists already and is never replaced: " + args[1]);
    case 'J':
        throw UsageError(text);
    default:
        throw std::runtime_error(text);
    }
}

} // namespace qj::cli
