#pragma once

// ssudomer-cli's standard output: written straight to its descriptor, with the first failed
// write remembered, so that a result cut short (a full disk, a closed descriptor, a reader
// that went away) never ends with the status of success.

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace cli {

// An output buffer over a descriptor. A write interrupted by a signal is retried, and on a
// non-blocking descriptor it waits until the descriptor takes more. Once a write fails,
// nothing more is written, the stream over the buffer goes bad and error() says why.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int fd);
    ~DescriptorBuffer() override;
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // The errno of the first failed write; 0 while every byte went out.
    int error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    bool writeAll(const char* bytes, std::size_t count);
    bool drain();

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

// Standard output for one run of the program. While it lives, SIGPIPE does not end the
// program in the middle of a write: a reader that goes away (`| head`) makes the writes
// fail instead, and the program still finishes what else it was asked for (a PDF). The
// error stream is tied to it, so that messages and results keep their order on a terminal.
class StandardOutput {
  public:
    StandardOutput();
    ~StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    std::ostream& stream() { return stream_; }

    // Writes what is left and returns the exit status: `status` when all of the output was
    // written. When the reader of a pipe went away and SIGPIPE was at its default when the
    // program started, the program ends by that signal now, as it would have at the write,
    // quietly, as the shell expects of any filter. Any other failure is told on `err` and
    // makes the status 2 (a status that already says failure is kept).
    int finish(int status, std::ostream& err);

  private:
    DescriptorBuffer buffer_;
    std::ostream stream_;
    bool pipeSignalWasDefault_ = false;
    std::ostream* errorTie_ = nullptr;
};

// The message for a result that could not be written to standard output.
std::string OutputFailureText(int error);

}  // namespace cli
