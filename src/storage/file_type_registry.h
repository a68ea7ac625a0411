#pragma once

// Making the program the desktop's handler of payment files, so that opening one starts
// the program with the file as its argument.

#include <string>
#include <vector>

namespace storage {

// The entries the program asks the desktop to keep.
struct FileTypeRegistration {
    std::string extension;    // ".crp"
    std::string typeName;     // "crp"
    std::string description;  // shown by file managers
    std::string verb;         // "Open"
    std::string verbCaption;  // "Открыть"
    std::string programPath;  // the program file, exactly as it is spelled
    // Further types the same program opens (plan files beside payment files): each gets its
    // type and default the same way, and the one desktop entry lists them all.
    std::vector<FileTypeRegistration> alsoOpens;
};

// Where the entries of a registration now stand, so that the person can be told.
struct FileTypeRegistrationPlaces {
    std::string typeFile;      // defines the type for the extension
    bool typeInstalled = false;  // typeFile came with the installed program
    std::string programEntry;  // opens the files with the program
    bool entryInstalled = false;
    std::string defaultsFile;  // names the program the type's default
};

class FileTypeRegistry {
  public:
    virtual ~FileTypeRegistry() = default;
    // Writes the entries (again, when they exist) and says where they stand. Throws
    // FileError when one cannot be written; the entries written before it stay.
    virtual FileTypeRegistrationPlaces registerFileType(
        const FileTypeRegistration& registration) = 0;
};

// The freedesktop.org way, for the current user: a shared-mime-info type for the
// extension in $XDG_DATA_HOME/mime, a desktop entry in $XDG_DATA_HOME/applications that
// opens the program with the file, the default application for the type in
// $XDG_CONFIG_HOME/mimeapps.list, then update-mime-database and update-desktop-database
// when they are installed.
// Where the package installed the type, or a desktop entry that starts this same program,
// in a folder of $XDG_DATA_DIRS, that one serves: it is not written again for the user.
class XdgFileTypeRegistry : public FileTypeRegistry {
  public:
    FileTypeRegistrationPlaces registerFileType(const FileTypeRegistration& registration) override;

    static std::string MimeType(const FileTypeRegistration& registration);
    // The id the installed desktop entry and MIME package are named after.
    static std::string ApplicationId();
    static constexpr const char* kDesktopFileName = "ssudomer.desktop";
};

// The Exec value of a desktop entry that runs the program with one file: the path quoted
// and escaped so that spaces, quotes, "$", "%" and backslashes survive, then " %f".
std::string DesktopExecLine(const std::string& programPath);

// A mimeapps.list text with `mimeType=desktopFile` as the default application: the key is
// replaced inside [Default Applications] or added to it; everything else stays.
std::string WithDefaultApplication(const std::string& mimeApps, const std::string& mimeType,
                                   const std::string& desktopFile);

}  // namespace storage
