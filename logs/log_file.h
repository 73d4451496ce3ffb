#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/log_storage.h"
#include "platform/text_encoding.h"

namespace kvx::logs {

// Marks where the next append cuts a log file: HTML logs end every write with
// this byte followed by their closing tags, and the next append removes both,
// so the closing tags always stay at the very end of the file.
inline constexpr char kCutMark = '\x1A';
// How far back from the end of a file an append looks for the cut mark.
inline constexpr std::size_t kCutSearchLength = 128;

// Writes the log files the same way for every log: the program's UTF-8 text is
// stored as Windows-1252 (one byte a character, "°" as B0, "€" as 80,
// characters it lacks as '?'), every line ends with CR LF, and appends follow
// the cut rule above. Each call opens and closes its file; nothing stays open
// between calls. Errors come back as the storage's FsStatus, whose message names
// the file and carries the system's error text; nothing is thrown.
class LogFile {
public:
    // Both must outlive this object.
    LogFile(platform::LogStorage& storage, const platform::TextEncoding& encoding);

    // The bytes that `lines` become in a log file.
    std::string encodeLines(const std::vector<std::string>& lines) const;

    // Creates the file, or empties an existing one, and writes `lines`.
    platform::FsStatus create(const std::string& path, const std::vector<std::string>& lines);

    // Creates the file with `lines` only when no file of that name exists
    // (an existing file, even an empty one, is left byte for byte as it is).
    platform::LogStorage::Created createIfMissing(const std::string& path, const std::vector<std::string>& lines);

    // Appends `lines` to an existing file. First, when the cut mark occurs in
    // the file's last kCutSearchLength bytes (or the whole file when shorter),
    // the file is cut at the first such byte (the mark and all after it go).
    // A missing file is an error (Kind::NotFound), not created. When the write
    // fails part-way, the file is put back as it was (cut back to where the
    // new lines began, and the removed mark and closing tags written again), so
    // neither a half line nor an unclosed HTML table stays in the log.
    platform::FsStatus append(const std::string& path, const std::vector<std::string>& lines);

private:
    platform::LogStorage& storage_;
    const platform::TextEncoding& encoding_;
};

}  // namespace kvx::logs
