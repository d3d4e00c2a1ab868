#include "calendar/core/HolidayFiles.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace qj {

namespace {

void AddFile(HolidayLoad& load, const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const auto refuse = [&](const std::string& why) {
        load.refused.push_back("节假日文件 " + name + " 有误，未采用：" + why);
    };
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return refuse("读不到这个文件");
    if (size > kLargestHolidayFile)
        return refuse("文件太大（超过 1 MB）");
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in)
        return refuse("读不到这个文件");
    const HolidayFile file = ParseHolidayFile(text.str());
    if (!file.error.empty())
        return refuse(file.error);
    load.calendar.add(file.years);
}

bool IsUserFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::string prefix = kUserHolidayFilePrefix, suffix = kUserHolidayFileSuffix;
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

} // namespace

HolidayLoad LoadHolidayFiles(const std::filesystem::path& shipped, const std::filesystem::path& dataFolder) {
    HolidayLoad load;
    std::error_code error;
    // A copy without the shipped file (one built without it, a test's folder) has no holidays.
    if (std::filesystem::exists(shipped, error))
        AddFile(load, shipped);
    if (dataFolder.empty() || !std::filesystem::is_directory(dataFolder, error))
        return load;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder, error))
        if (IsUserFile(entry.path()) && entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        AddFile(load, file);
    return load;
}

} // namespace qj
