#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "storage/file_type_registry.h"
#include "storage/user_folders.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(LastLoanFilePath, BesideAWritableProgramElseInTheUsersConfiguration) {
    TempFolder home;
    ScopedEnvironment homeVariable("HOME", home.path());
    ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(storage::LastLoanFilePath(home / "ssudomer"), home / "oldinfo.ini");
    EXPECT_EQ(storage::LastLoanFilePath(home / "missing/ssudomer"),
              home / ".config/ssudomer/oldinfo.ini");
    EXPECT_EQ(storage::LastLoanFilePath(""), home / ".config/ssudomer/oldinfo.ini");
    // An installed program keeps it per user, even in a folder it may write.
    std::filesystem::create_directories(home / "prefix/bin");
    std::filesystem::create_directories(home / "prefix/share/ssudomer");
    EXPECT_EQ(storage::LastLoanFilePath(home / "prefix/bin/ssudomer"),
              home / ".config/ssudomer/oldinfo.ini");
    {
        ScopedEnvironment custom("XDG_CONFIG_HOME", home / "cfg");
        EXPECT_EQ(storage::LastLoanFilePath(""), home / "cfg/ssudomer/oldinfo.ini");
    }
    {
        ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/cfg");  // not absolute: ignored
        EXPECT_EQ(storage::LastLoanFilePath(""), home / ".config/ssudomer/oldinfo.ini");
    }
}

TEST(DesktopExecLine, QuotesThePathExactlyAsItIs) {
    EXPECT_EQ(storage::DesktopExecLine("/opt/Ssudomer/bin/ssudomer"),
              "\"/opt/Ssudomer/bin/ssudomer\" %f");
    EXPECT_EQ(storage::DesktopExecLine("/home/Анна/My Apps/50%/a\"b$c`d\\e"),
              "\"/home/Анна/My Apps/50%%/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e\" %f");
}

TEST(WithDefaultApplication, AddsOrReplacesTheEntryAndKeepsTheRest) {
    const std::string type = "application/x-ssudomer-crp";
    EXPECT_EQ(storage::WithDefaultApplication("", type, "ssudomer.desktop"),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\n");
    EXPECT_EQ(storage::WithDefaultApplication("[Added Associations]\ntext/plain=a.desktop;\n", type,
                                              "ssudomer.desktop"),
              "[Added Associations]\ntext/plain=a.desktop;\n\n[Default Applications]\n"
              "application/x-ssudomer-crp=ssudomer.desktop\n");
    EXPECT_EQ(storage::WithDefaultApplication(
                  "[Default Applications]\ntext/plain=a.desktop\n\n[Added Associations]\n"
                  "application/x-ssudomer-crp=other.desktop;\n",
                  type, "ssudomer.desktop"),
              "[Default Applications]\ntext/plain=a.desktop\n"
              "application/x-ssudomer-crp=ssudomer.desktop\n\n[Added Associations]\n"
              "application/x-ssudomer-crp=other.desktop;\n");
    EXPECT_EQ(storage::WithDefaultApplication(
                  "[Default Applications]\napplication/x-ssudomer-crp=old.desktop\nx/y=z\n", type,
                  "ssudomer.desktop"),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\nx/y=z\n");
}

class XdgRegistration : public ::testing::Test {
  protected:
    TempFolder home, tools, system;
    ScopedEnvironment homeVariable{"HOME", home.path()};
    ScopedEnvironment data{"XDG_DATA_HOME", std::nullopt};
    ScopedEnvironment config{"XDG_CONFIG_HOME", std::nullopt};
    ScopedEnvironment systemData{"XDG_DATA_DIRS", "relative/share:" + system.path()};
    ScopedEnvironment path{"PATH", tools.path()};
    const storage::FileTypeRegistration registration{".crp", "crp",     "Файл платежей Ссудомера",
                                                     "Open", "Открыть", "/opt/My Tools/Ssudomer"};

    // A stand-in refresh tool that records the folder it was given.
    void installTool(const std::string& name) {
        const std::string script = tools / name;
        WriteBytes(script, "#!/bin/sh\necho \"$1\" >> \"" + (tools / "calls") + "\"\n");
        chmod(script.c_str(), 0755);
    }
};

TEST_F(XdgRegistration, WritesTheTypeTheEntryAndTheDefaultAndRefreshes) {
    installTool("update-mime-database");
    installTool("update-desktop-database");
    const storage::FileTypeRegistrationPlaces places =
        storage::XdgFileTypeRegistry().registerFileType(registration);

    const std::string share = home / ".local/share";
    EXPECT_EQ(places.typeFile, share + "/mime/packages/ssudomer-crp.xml");
    EXPECT_EQ(places.programEntry, share + "/applications/ssudomer.desktop");
    EXPECT_EQ(places.defaultsFile, home / ".config/mimeapps.list");
    EXPECT_FALSE(places.typeInstalled);
    EXPECT_FALSE(places.entryInstalled);
    EXPECT_EQ(ReadBytes(share + "/mime/packages/ssudomer-crp.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-ssudomer-crp\">\n"
              "    <comment>Файл платежей Ссудомера</comment>\n"
              "    <glob pattern=\"*.crp\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    const std::string entry = ReadBytes(share + "/applications/ssudomer.desktop");
    EXPECT_EQ(entry.substr(0, 16), "[Desktop Entry]\n");
    EXPECT_NE(entry.find("\nExec=\"/opt/My Tools/Ssudomer\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-ssudomer-crp;\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(home / ".config/mimeapps.list"),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\n");
    EXPECT_EQ(ReadBytes(tools / "calls"), share + "/mime\n" + share + "/applications\n");

    // Again: the same files, nothing doubled.
    storage::XdgFileTypeRegistry().registerFileType(registration);
    EXPECT_EQ(ReadBytes(home / ".config/mimeapps.list"),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\n");
}

TEST_F(XdgRegistration, PlanFilesGetTheirOwnTypeBesideThePaymentFiles) {
    storage::FileTypeRegistration both = registration;
    both.alsoOpens.push_back({".crplan", "plan", "План досрочного погашения Ссудомера", "Open",
                              "Открыть", registration.programPath});
    const storage::FileTypeRegistrationPlaces places =
        storage::XdgFileTypeRegistry().registerFileType(both);
    const std::string share = home / ".local/share";
    EXPECT_EQ(places.typeFile, share + "/mime/packages/ssudomer-crp.xml");
    EXPECT_NE(ReadBytes(share + "/mime/packages/ssudomer-plan.xml")
                  .find("  <mime-type type=\"application/x-ssudomer-plan\">\n"
                        "    <comment>План досрочного погашения Ссудомера</comment>\n"
                        "    <glob pattern=\"*.crplan\"/>\n"),
              std::string::npos);
    EXPECT_NE(ReadBytes(share + "/applications/ssudomer.desktop")
                  .find("\nMimeType=application/x-ssudomer-crp;application/x-ssudomer-plan;\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(home / ".config/mimeapps.list"),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\n"
              "application/x-ssudomer-plan=ssudomer.desktop\n");
}

TEST_F(XdgRegistration, FollowsTheXdgFoldersAndDoesWithoutTheTools) {
    ScopedEnvironment customData("XDG_DATA_HOME", home / "data");
    ScopedEnvironment customConfig("XDG_CONFIG_HOME", home / "cfg");
    storage::XdgFileTypeRegistry().registerFileType(registration);
    EXPECT_TRUE(std::filesystem::exists(home / "data/mime/packages/ssudomer-crp.xml"));
    EXPECT_TRUE(std::filesystem::exists(home / "data/applications/ssudomer.desktop"));
    EXPECT_TRUE(std::filesystem::exists(home / "cfg/mimeapps.list"));
    EXPECT_FALSE(std::filesystem::exists(home / ".local"));
}

// The package installed the type and an entry for the program in a system data folder.
class XdgRegistrationBesideAPackage : public XdgRegistration {
  protected:
    const std::string id = storage::XdgFileTypeRegistry::ApplicationId();
    const std::string share = home / ".local/share";
    const std::string userMimePackage = share + "/mime/packages/ssudomer-crp.xml";
    const std::string userEntry = share + "/applications/ssudomer.desktop";

    void installPackage(const std::string& exec) {
        std::filesystem::create_directories(system / "mime/packages");
        std::filesystem::create_directories(system / "applications");
        WriteBytes(system / ("mime/packages/" + id + ".xml"), "<mime-info/>\n");
        WriteBytes(system / ("applications/" + id + ".desktop"),
                   "[Desktop Entry]\nType=Application\nName=Ссудомер\nExec=" + exec + "\n");
    }
    std::string program(const std::string& where) {
        std::filesystem::create_directories(std::filesystem::path(where).parent_path());
        WriteBytes(where, "#!/bin/sh\n");
        chmod(where.c_str(), 0755);
        return where;
    }
    storage::FileTypeRegistrationPlaces registerProgram(const std::string& path) {
        auto forProgram = registration;
        forProgram.programPath = path;
        return storage::XdgFileTypeRegistry().registerFileType(forProgram);
    }
    std::string defaultApplication() { return ReadBytes(home / ".config/mimeapps.list"); }
};

TEST_F(XdgRegistrationBesideAPackage, TheInstalledProgramIsNotRegisteredTwice) {
    installTool("update-mime-database");
    installTool("update-desktop-database");
    const std::string installed = program(tools / "ssudomer");
    registerProgram(installed);  // before the package: the user's own copies
    ASSERT_TRUE(std::filesystem::exists(userMimePackage));
    ASSERT_TRUE(std::filesystem::exists(userEntry));

    installPackage("ssudomer %f");  // found through PATH
    const storage::FileTypeRegistrationPlaces places = registerProgram(installed);
    EXPECT_EQ(places.typeFile, system / ("mime/packages/" + id + ".xml"));
    EXPECT_EQ(places.programEntry, system / ("applications/" + id + ".desktop"));
    EXPECT_TRUE(places.typeInstalled);
    EXPECT_TRUE(places.entryInstalled);
    EXPECT_FALSE(std::filesystem::exists(userMimePackage));
    EXPECT_FALSE(std::filesystem::exists(userEntry));
    EXPECT_EQ(defaultApplication(),
              "[Default Applications]\napplication/x-ssudomer-crp=" + id + ".desktop\n");
    // The caches were refreshed after the removal too.
    EXPECT_EQ(ReadBytes(tools / "calls"), share + "/mime\n" + share + "/applications\n" + share +
                                              "/mime\n" + share + "/applications\n");
}

TEST_F(XdgRegistrationBesideAPackage, AQuotedPathOrALinkNamesTheSameProgram) {
    const std::string installed = program(system / "My Apps/ssudomer");
    installPackage("\"" + installed + "\" %f");
    std::filesystem::create_symlink(installed, tools / "linked");
    registerProgram(tools / "linked");
    EXPECT_FALSE(std::filesystem::exists(userEntry));
    EXPECT_EQ(defaultApplication(),
              "[Default Applications]\napplication/x-ssudomer-crp=" + id + ".desktop\n");
}

TEST_F(XdgRegistrationBesideAPackage, AnotherCopyGetsItsOwnEntryButNoSecondType) {
    program(tools / "ssudomer");
    installPackage("ssudomer %f");
    const std::string copy = program(home / "build/ssudomer");
    registerProgram(copy);
    EXPECT_FALSE(std::filesystem::exists(userMimePackage));
    EXPECT_NE(ReadBytes(userEntry).find("\nExec=\"" + copy + "\" %f\n"), std::string::npos);
    EXPECT_EQ(defaultApplication(),
              "[Default Applications]\napplication/x-ssudomer-crp=ssudomer.desktop\n");
}

}  // namespace
