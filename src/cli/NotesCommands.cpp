#include "cli/NotesCommands.h"

#include "cli/Args.h"
#include "cli/ExecutableFolder.h"
#include "cli/ImportJet.h"
#include "cli/Json.h"
#include "cli/NotePdf.h"
#include "seams/DataFolder.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/NoteHistory.h"
#include "store/NoteSearch.h"
#include "store/NoteTrash.h"
#include "store/NoteTree.h"
#include "store/StoreError.h"
#include "store/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <memory>

namespace qj::cli {

namespace {

constexpr const char* kUsage =
    "notes where [--data-folder DIR] | "
    "notes categories DATAFILE | notes tree DATAFILE CATEGORY | "
    "notes search DATAFILE TEXT [--title|--content] [--words] [--variants] [--pinyin] | "
    "notes export DATAFILE CATEGORY ID [--txt|--html|--pdf FILE] | "
    "notes history DATAFILE CATEGORY ID | notes trash DATAFILE | "
    "notes import-jet JETFILE NEWFILE";

struct NotesArgs {
    std::vector<std::string> positional;
    std::vector<std::string> flags;
    std::string pdf; // the file named after --pdf
    bool Has(const char* flag) const { return std::find(flags.begin(), flags.end(), flag) != flags.end(); }
};

// The subcommand's arguments: positional ones and the flags it knows (at most one of them; --pdf
// takes the next argument as its file).
NotesArgs Split(const Arguments& args, size_t from, size_t positionalCount,
                std::initializer_list<const char*> known) {
    NotesArgs out;
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            if (std::find_if(known.begin(), known.end(), [&](const char* k) { return a == k; }) ==
                known.end())
                throw UsageError("unknown option '" + a + "'; usage: " + kUsage);
            if (!out.flags.empty()) {
                std::string names;
                for (const char* k : known)
                    names += (names.empty() ? "" : ", ") + std::string(k);
                throw UsageError("give at most one of " + names + "; usage: " + kUsage);
            }
            out.flags.push_back(a);
            if (a == "--pdf") {
                if (i + 1 >= args.size() || args[i + 1].empty())
                    throw UsageError("--pdf needs the name of the PDF file to write; usage: " +
                                     std::string(kUsage));
                out.pdf = args[++i];
            }
        } else {
            out.positional.push_back(a);
        }
    }
    if (out.positional.size() != positionalCount)
        throw UsageError("wrong number of arguments; usage: " + std::string(kUsage));
    return out;
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The data file, opened read-only: scripts may read it while the program has it open, and it is
// never changed.
std::unique_ptr<DataFile> Open(const std::string& path) {
    const QString file = Text(path);
    if (!QFileInfo::exists(file))
        throw UsageError("no such data file: " + path);
    try {
        auto data = std::make_unique<DataFile>(file, DataFile::Access::ReadOnly);
        data->Categories();
        return data;
    } catch (const StoreError& e) {
        throw UsageError(e.what());
    }
}

QString Category(DataFile& file, const std::string& name) {
    const QString category = Text(name);
    if (!file.CategoryExists(category))
        throw UsageError("no category named '" + name + "' in the data file");
    return category;
}

// A category whose table can be shown; a table of another shape is bad input (status 2).
std::unique_ptr<CategoryTable> ShownCategory(DataFile& file, const std::string& name) {
    auto table = std::make_unique<CategoryTable>(file, Category(file, name));
    try {
        table->CheckShape();
    } catch (const CategoryUnusable& e) {
        throw UsageError(e.what());
    }
    return table;
}

void RunCategories(const NotesArgs& a, Output& out) {
    auto file = Open(a.positional[0]);
    for (const QString& name : file->Categories()) {
        CategoryTable table(*file, name);
        JsonWriter json;
        json.BeginObject().Field("name", name.toStdString()).Field("notes", table.RecordCount()).EndObject();
        out.Line(json);
    }
}

NoteTree TreeOf(CategoryTable& table) {
    NoteTree tree;
    tree.BeginBuild(static_cast<std::size_t>(table.RecordCount()));
    table.ReadHeaders([&tree](RecordId rowid, NoteId id, std::optional<NoteId> parent, QStringView name) {
        tree.AddRecord(rowid, id, parent, name);
    });
    tree.EndBuild();
    return tree;
}

// Exactly the tree the window builds from the table: pre-order, children in the window's order.
void RunTree(const NotesArgs& a, Output& out) {
    auto file = Open(a.positional[0]);
    const auto shown = ShownCategory(*file, a.positional[1]);
    const NoteTree tree = TreeOf(*shown);
    for (const auto [node, level] : tree.PreOrderWithLevels()) {
        JsonWriter json;
        json.BeginObject().Key("id").Int(tree.Key(node).value()).Key("parent");
        if (tree.Parent(node) == kNoNode)
            json.Null();
        else
            json.Int(tree.Key(tree.Parent(node)).value());
        json.Field("name", tree.TitleView(node).toUtf8().toStdString()).Field("depth", level).EndObject();
        out.Line(json);
    }
}

// The search window's options, given as flags anywhere after "search"; taken out of `args`.
SearchOptions TakeSearchOptions(Arguments& args) {
    SearchOptions options;
    const auto take = [&](const char* flag, bool& on) {
        const auto end = std::remove(args.begin() + 1, args.end(), std::string(flag));
        on = end != args.end();
        args.erase(end, args.end());
    };
    take("--words", options.words);
    take("--variants", options.variants);
    take("--pinyin", options.pinyin);
    return options;
}

void RunSearch(const NotesArgs& a, const SearchOptions& options, Output& out) {
    auto file = Open(a.positional[0]);
    const SearchField field = a.Has("--title") ? SearchField::Title : SearchField::Content;
    const auto hits =
        SearchNotes(*file, file->Categories(), TrimSearchText(Text(a.positional[1])), field, options);
    for (const SearchHit& hit : hits) {
        JsonWriter json;
        json.BeginObject().Field("dir", hit.category.toStdString()).Key("id");
        if (hit.id)
            json.Int(hit.id->value());
        else
            json.Null();
        json.Field("name", hit.name.toStdString()).EndObject();
        out.Line(json);
    }
}

// A PDF file is written as the window's "导出到 .pdf" writes it; the data file is only read.
void WritePdf(const QString& text, const std::string& dataFile, const std::string& pdf, Output& out) {
    const QString path = Text(pdf);
    const QFileInfo target(path), data(Text(dataFile));
    if (target.exists() && target.canonicalFilePath() == data.canonicalFilePath())
        throw UsageError("the PDF file would replace the data file '" + dataFile + "'");
    // Refused before anything is printed (Qt's printing would only warn). A file the probe made is
    // gone again before the PDF is printed beside it: a failed export leaves nothing behind.
    const bool existed = target.exists();
    QFile probe(path);
    if (!probe.open(QIODevice::Append))
        throw std::runtime_error("cannot write the PDF file '" + pdf +
                                 "': " + probe.errorString().toStdString());
    probe.close();
    if (!existed)
        probe.remove();
    QString failure;
    const int pages = WriteNotePdfFile(text, Text(dataFile), path, &failure);
    if (pages == 0)
        throw std::runtime_error("could not write the PDF file '" + pdf + "': " + failure.toStdString());
    JsonWriter json;
    json.BeginObject().Field("pdf", pdf).Field("pages", pages).EndObject();
    out.Line(json);
}

NoteId ParseNoteId(const std::string& idText) {
    try {
        size_t used = 0;
        const NoteId id{std::stoll(idText, &used)};
        if (used != idText.size())
            throw std::invalid_argument(idText);
        return id;
    } catch (const std::exception&) {
        throw UsageError("not a note ID: '" + idText + "'");
    }
}

// The history file beside the data file, read-only; null when there is none yet.
std::unique_ptr<Database> OpenHistory(const std::string& dataFile) {
    Open(dataFile); // a data file it must be
    const QString path = HistoryPathOf(Text(dataFile));
    if (!QFileInfo::exists(path))
        return nullptr;
    try {
        return std::make_unique<Database>(path, Database::Mode::ReadOnly);
    } catch (const StoreError& e) {
        throw UsageError(e.what());
    }
}

std::string Iso(const QDateTime& time) {
    return time.toString(Qt::ISODate).toStdString();
}

// The texts saves replaced in a note, newest first {saved, title, bytes, text}.
void RunHistory(const NotesArgs& a, Output& out) {
    const NoteId id = ParseNoteId(a.positional[2]);
    const auto history = OpenHistory(a.positional[0]);
    if (!history)
        return;
    const QString category = Text(a.positional[1]);
    for (const Revision& r : RevisionsOf(*history, QStringLiteral("main"), category, id.value())) {
        JsonWriter json;
        json.BeginObject()
            .Field("saved", Iso(r.saved))
            .Field("title", r.title.toStdString())
            .Field("bytes", static_cast<long long>(r.bytes))
            .Field("text", RevisionText(*history, QStringLiteral("main"), r.key).toStdString())
            .EndObject();
        out.Line(json);
    }
}

// What the 回收站 holds, newest first {deleted, kind, category, title, notes, bytes}.
void RunTrash(const NotesArgs& a, Output& out) {
    const auto history = OpenHistory(a.positional[0]);
    if (!history)
        return;
    for (const TrashEntry& e : TrashEntries(*history, QStringLiteral("main"))) {
        JsonWriter json;
        json.BeginObject()
            .Field("deleted", Iso(e.deleted))
            .Field("kind", e.kind == TrashEntry::Kind::Category ? "category" : "notes")
            .Field("category", e.category.toStdString())
            .Field("title", e.title.toStdString())
            .Field("notes", static_cast<long long>(e.notes))
            .Field("bytes", static_cast<long long>(e.bytes))
            .EndObject();
        out.Line(json);
    }
}

// The note's text as the window's export writes it after the note was shown in the editor.
void RunExport(const NotesArgs& a, Output& out) {
    auto file = Open(a.positional[0]);
    const auto shown = ShownCategory(*file, a.positional[1]);
    CategoryTable& table = *shown;
    const std::string& idText = a.positional[2];
    const NoteId id = ParseNoteId(idText);
    const NoteTree tree = TreeOf(table);
    const NodeRef node = tree.Find(id);
    if (node == kNoNode)
        throw UsageError("no note with ID " + idText + " in '" + a.positional[1] + "'");
    const QString text = table.ReadInfo(tree.Record(node));
    if (a.Has("--pdf"))
        return WritePdf(text, a.positional[0], a.pdf, out);
    out.Raw(a.Has("--html") ? ExportHtmlBytes(text) : ExportTextBytes(text, LineBreak::CrLf));
}

// The data folder the program started from this executable's folder would use, by the same rule.
void RunWhere(const Arguments& args, Output& out) {
    const ParsedArgs a = ParseArguments(Arguments(args.begin() + 1, args.end()), {"data-folder"}, 0, kUsage);
    const DataFolderChoice choice = ChooseDataFolder(
        DataFolderPlace::ofEnvironment(ExecutableFolder(), Text(a.Option("data-folder").value_or(""))));
    static const char* const kModes[] = {"portable", "installed", "named"};
    const QString dataFile = QDir(choice.dataFolder).filePath(QStringLiteral("dataly.dat"));
    JsonWriter json;
    json.BeginObject()
        .Field("mode", kModes[static_cast<int>(choice.mode)])
        .Field("folder", choice.dataFolder.toStdString())
        .Field("data_file", dataFile.toStdString())
        .Key("exists")
        .Bool(QFileInfo(dataFile).isFile())
        .Field("files", choice.filesFolder.toStdString())
        .EndObject();
    out.Line(json);
}

void Run(const Arguments& args, Output& out) {
    if (args.empty())
        throw UsageError(std::string("no notes command given; usage: ") + kUsage);
    const std::string& sub = args[0];
    if (sub == "where")
        RunWhere(args, out);
    else if (sub == "categories")
        RunCategories(Split(args, 1, 1, {}), out);
    else if (sub == "tree")
        RunTree(Split(args, 1, 2, {}), out);
    else if (sub == "search") {
        Arguments rest = args;
        const SearchOptions options = TakeSearchOptions(rest);
        RunSearch(Split(rest, 1, 2, {"--title", "--content"}), options, out);
    } else if (sub == "export")
        RunExport(Split(args, 1, 3, {"--txt", "--html", "--pdf"}), out);
    else if (sub == "history")
        RunHistory(Split(args, 1, 3, {}), out);
    else if (sub == "trash")
        RunTrash(Split(args, 1, 1, {}), out);
    else if (sub == "import-jet")
        RunImportJet(Split(args, 1, 2, {}).positional, out);
    else
        throw UsageError("unknown notes command '" + sub + "'; usage: " + kUsage);
}

} // namespace

CommandGroup NotesCommands() {
    return {{"notes", kUsage,
             "the notebook's data file, read-only: the data folder the program uses {mode, folder, "
             "data_file, exists, files}; categories {name, notes}; a category's tree "
             "{id, parent, name, depth} in the window's order; search hits {dir, id, name} (--words: all "
             "of several words; --variants: simplified and traditional alike; --pinyin: titles by pinyin "
             "or initials); a note exported as text or HTML, or printed to a PDF file {pdf, pages}; a "
             "note's earlier texts {saved, title, bytes, text} and the 回收站 {deleted, kind, category, "
             "title, notes, bytes}, newest first; a Jet data file converted "
             "into a new data file, one line per table {name, rows, notes, skipped, why, refused}",
             &Run}};
}

} // namespace qj::cli
