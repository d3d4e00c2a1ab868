#include "cli/ImportJet.h"

#include "cli/Json.h"
#include "store/jet/JetFile.h"
#include "store/jet/JetImport.h"

#include <QDir>
#include <QFileInfo>

namespace qj::cli {

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
    JetImportReport report;
    try {
        report = ConvertJetFile(jet, target);
    } catch (const TargetExists&) {
        throw UsageError("the new data file exists already and is never replaced: " + args[1]);
    } catch (const JetError& e) {
        throw UsageError(e.what());
    }
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
        out.Line(json);
    }
}

} // namespace qj::cli
