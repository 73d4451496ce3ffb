#include "logs/log_file.h"

namespace kvx::logs {

LogFile::LogFile(platform::LogStorage& storage, const platform::TextEncoding& encoding)
    : storage_(storage), encoding_(encoding) {}

std::string LogFile::encodeLines(const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return encoding_.toWindows1252(text);
}

platform::FsStatus LogFile::create(const std::string& path, const std::vector<std::string>& lines) {
    return storage_.createFile(path, encodeLines(lines), platform::LogStorage::Existing::Truncate).status;
}

platform::LogStorage::Created LogFile::createIfMissing(const std::string& path, const std::vector<std::string>& lines) {
    return storage_.createFile(path, encodeLines(lines), platform::LogStorage::Existing::Keep);
}

platform::FsStatus LogFile::append(const std::string& path, const std::vector<std::string>& lines) {
    const std::string bytes = encodeLines(lines);
    platform::FsStatus status;
    auto file = storage_.openForAppend(path, status);
    if (!file) return status;

    const platform::OpenLogFile::Tail tail = file->readTail(kCutSearchLength);
    if (!tail.status.ok()) return tail.status;
    std::uint64_t end = tail.fileSize;
    std::string removed;  // the cut mark and the closing tags after it
    if (const auto mark = tail.bytes.find(kCutMark); mark != std::string::npos) {
        end = tail.fileSize - tail.bytes.size() + mark;
        removed = tail.bytes.substr(mark);
        status = file->truncate(end);
        if (!status.ok()) return status;
    }

    status = file->append(bytes);
    if (!status.ok()) {
        // Best effort: the file goes back to what it held, closing tags included,
        // so an HTML log stays whole; the write error is what the user needs to see.
        if (file->truncate(end).ok() && !removed.empty()) file->append(removed);
        return status;
    }
    return file->close();
}

}  // namespace kvx::logs
