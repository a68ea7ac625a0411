#include "cli/standard_output.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include "cli/options.h"
#include "storage/file_error.h"

namespace cli {

namespace {

constexpr std::size_t kBufferSize = std::size_t{64} << 10;

// Whether SIGPIPE would end the program now: at its default action and not blocked.
bool pipeSignalAtDefault() {
    struct sigaction current {};
    sigset_t blocked;
    if (sigaction(SIGPIPE, nullptr, &current) != 0 ||
        sigprocmask(SIG_BLOCK, nullptr, &blocked) != 0)
        return false;
    return current.sa_handler == SIG_DFL && sigismember(&blocked, SIGPIPE) == 0;
}

// Reasons that only standard output has; the rest are those of any file write.
const char* streamReasonOf(int error) {
    switch (error) {
        case EPIPE:
            return "читающая программа закрыла канал";
        case EBADF:
            return "стандартный вывод закрыт или открыт только для чтения";
        default:
            return nullptr;
    }
}

}  // namespace

DescriptorBuffer::DescriptorBuffer(int fd) : fd_(fd), buffer_(kBufferSize) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorBuffer::~DescriptorBuffer() {
    drain();
}

bool DescriptorBuffer::writeAll(const char* bytes, std::size_t count) {
    while (count > 0 && error_ == 0) {
        const ssize_t written = write(fd_, bytes, count);
        if (written >= 0) {
            bytes += written;
            count -= static_cast<std::size_t>(written);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A descriptor some other program made non-blocking: wait until it takes more.
            pollfd ready{fd_, POLLOUT, 0};
            if (poll(&ready, 1, -1) >= 0 || errno == EINTR)
                continue;
        }
        error_ = errno;
    }
    return error_ == 0;
}

bool DescriptorBuffer::drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    const bool written = pending == 0 || writeAll(pbase(), pending);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written && error_ == 0;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize DescriptorBuffer::xsputn(const char* text, std::streamsize count) {
    if (error_ != 0)
        return 0;
    const auto size = static_cast<std::size_t>(count);
    const auto room = static_cast<std::size_t>(epptr() - pptr());
    if (size <= room) {
        std::memcpy(pptr(), text, size);
        pbump(static_cast<int>(size));
        return count;
    }
    // A block larger than the room left goes out directly after what is buffered.
    if (!drain())
        return 0;
    if (size < buffer_.size()) {
        std::memcpy(pptr(), text, size);
        pbump(static_cast<int>(size));
        return count;
    }
    return writeAll(text, size) ? count : 0;
}

int DescriptorBuffer::sync() {
    return drain() ? 0 : -1;
}

StandardOutput::StandardOutput()
    : buffer_(STDOUT_FILENO), stream_(&buffer_), pipeSignalWasDefault_(pipeSignalAtDefault()) {
    std::signal(SIGPIPE, SIG_IGN);
    errorTie_ = std::cerr.tie(&stream_);
}

StandardOutput::~StandardOutput() {
    std::cerr.tie(errorTie_);
}

int StandardOutput::finish(int status, std::ostream& err) {
    stream_.flush();
    const int error = buffer_.error();
    if (error == 0 && stream_.good())
        return status;
    if (error == EPIPE && pipeSignalWasDefault_) {
        err.flush();
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
    }
    err << "ssudomer-cli: " << OutputFailureText(error) << '\n';
    return status == kExitOk ? kExitRefused : status;
}

std::string OutputFailureText(int error) {
    std::string text = "результат не выведен полностью";
    if (const char* reason = streamReasonOf(error))
        return text + ": " + reason + ".";
    if (error != 0)
        return text + ": " + storage::FileErrorClause(error, storage::FileAccess::Write) + ".";
    return text + ".";
}

}  // namespace cli
