#include "app/byte_stream_win.h"

namespace {

HANDLE OpenForReading(const wchar_t* path) {
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

FileByteStream::FileByteStream(const wchar_t* path, DWORD blockBytes)
    : file_(OpenForReading(path)) {
    if (IsOpen()) {
        block_.resize(blockBytes);
    }
}

bool FileByteStream::Refill() {
    if (!IsOpen()) {
        return false;
    }
    DWORD got = 0;
    const DWORD size = static_cast<DWORD>(block_.size());
    if (!ReadFile(file_.get(), block_.data(), size, &got, nullptr) || got == 0) {
        return false;
    }
    SetBlock(block_.data(), block_.data() + got);
    return true;
}
