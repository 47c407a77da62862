// File operations on the real file system, behind one seam so tests can inject faults.
// Paths are 8-bit texts with backslashes as separators, as the plugin builds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/types.h"

namespace quib {

/// A file open for sequential reading.
class InputFile {
 public:
  virtual ~InputFile() = default;
  /// Reads up to size bytes; returns fewer only at the end of the file. Throws PlatformError.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
};

/// A file open for sequential writing. Destroying it without Commit closes it as it is.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Writes all of the bytes or throws PlatformError (a short write is a failure).
  virtual void Write(const void* data, std::size_t size) = 0;
  /// Flushes the bytes to the disk and closes the file; throws PlatformError on failure.
  virtual void Commit() = 0;
};

/// The rest of a file's bytes. Throws PlatformError as Read does.
inline std::string ReadAll(InputFile& file) {
  std::string bytes;
  char buffer[16 * 1024];
  while (const std::size_t got = file.Read(buffer, sizeof buffer)) {
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  return bytes;
}

class Files {
 public:
  virtual ~Files() = default;
  /// Whether a regular file exists at path (a folder does not count).
  virtual bool FileExists(const std::string& path) = 0;
  /// Size in bytes, or -1 when the file cannot be opened for reading.
  virtual std::int64_t FileSize(const std::string& path) = 0;
  /// Throws PlatformError ("Cannot open file ...") when the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  /// Creates or truncates path. Throws PlatformError ("Cannot create file ...").
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  /// Copies from to to; never overwrites an existing to. False on failure.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  /// Deletes a file. False when it could not be deleted (or did not exist).
  virtual bool Delete(const std::string& path) = 0;
  /// Moves from over to in one atomic step, replacing to. False on failure.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
};

}  // namespace quib
