#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace orbala::platform {

// Replaces the file at path by content in one step. The text is written to a new file in the
// same folder, flushed to disk and only then renamed over the old file, so a write that fails
// part-way (full disk, quota, size limit) leaves the previous file exactly as it was.
// Where no new file can be made beside it (a folder the user may not write), an existing file
// is overwritten in place; should that fail part-way, its old bytes are written back.
// An existing file keeps its permission bits; a new one gets 0666 less the umask. A symbolic
// link is followed, so its target is replaced and the link stays. Fails, with a short reason
// in whyNot, when the path names a folder or another non-regular file.
bool replaceFileContents(const std::string& path, const std::string& content,
                         std::string* whyNot = nullptr);

// The same for content too big to hold at once: `produce` hands it over in pieces through the
// function it is given, which returns false once writing has failed; `produce` then returns
// false too (or stops early and returns false itself, which fails the whole write).
using ContentSink = std::function<bool(std::string_view)>;
bool replaceFileWith(const std::string& path,
                     const std::function<bool(const ContentSink&)>& produce,
                     std::string* whyNot = nullptr);

} // namespace orbala::platform
