#include "folder_probe.h"

#include <filesystem>
#include <system_error>

#include "base/helper_thread.h"
#include "base/native_path.h"

namespace orvanel {

FolderAnswer LookPatiently(const QString& folder) {
  try {
    const auto answer =
        RunWithPatience<FolderAnswer>(kFolderPatience, [name = folder.toStdString()] {
          std::error_code error;
          return std::filesystem::is_directory(NativePath(name), error) ? FolderAnswer::kFolder
                                                                        : FolderAnswer::kNotThere;
        });
    return answer.value_or(FolderAnswer::kNoAnswer);
  } catch (const std::system_error&) {
    return FolderAnswer::kNoAnswer;  // no helper: nothing may be asked on this thread
  }
}

}  // namespace orvanel
