#include "platform/linux/gio_trash.h"

#include <gio/gio.h>

namespace kvx::platform::linux_backend {

FsStatus GioTrash::moveToTrash(const std::string& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    const gboolean moved = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (moved) return FsStatus::success();
    FsStatus status;
    status.kind = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND) ? FsStatus::Kind::NotFound
                                                                           : FsStatus::Kind::Failed;
    status.message = "trash " + path + ": " + (error ? error->message : "unknown error");
    if (error) g_error_free(error);
    return status;
}

}  // namespace kvx::platform::linux_backend
