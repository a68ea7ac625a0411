// The file dialogs of the window: the question before a file is replaced, the folder they
// open in, and their texts in Russian.

#include <QDir>

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <filesystem>

#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class FileDialogTest : public WindowTest {
  protected:
    // Answers the next file dialog: records its folder and either types `name` and accepts,
    // or cancels it when `name` is empty.
    void answerFileDialog(const QString& name) {
        const auto recordFolder = [this](QFileDialog& dialog) {
            folders.push_back(dialog.directory().absolutePath());
        };
        if (!name.isEmpty()) {
            modals.chooseFile(name, recordFolder);
            return;
        }
        modals.replies.push_back([recordFolder](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << widget->windowTitle().toStdString();
            recordFolder(*dialog);
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        });
    }

    // Answers the replace question with `button`; the file dialog under it is then looked
    // at and cancelled when it is still open.
    void answerReplaceQuestion(QMessageBox::StandardButton button) {
        modals.replies.push_back([this, button](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr) << widget->windowTitle().toStdString();
            auto* dialog = qobject_cast<QFileDialog*>(box->parentWidget());
            ASSERT_NE(dialog, nullptr);
            box->button(button)->click();
            QTimer::singleShot(0, dialog, [this, dialog] {
                dialogOpenAfterAnswer = dialog->isVisible();
                if (dialog->isVisible())
                    dialog->reject();
            });
        });
    }

    TempFolder folder;
    std::vector<QString> folders;
    bool dialogOpenAfterAnswer = false;
};

TEST_F(FileDialogTest, ReplacingAFileIsAskedFirstAndNoWritesNothing) {
    typeLoan("1000", "12", "3");
    click("Button1");
    for (const char* command : {"N4", "ExportCsv1"}) {
        const std::string extension = command == std::string("N4") ? ".crp" : ".csv";
        const std::string path = folder / ("other" + extension);
        WriteBytes(path, "another loan\r\n");
        modals.seen.clear();

        // "Нет": back in the dialog, which is then cancelled; the file stays as it was.
        dialogOpenAfterAnswer = false;
        answerFileDialog(QString::fromStdString(folder / "other"));
        answerReplaceQuestion(QMessageBox::No);
        item(command)->trigger();
        ASSERT_EQ(modals.seen.size(), 2u) << command;
        EXPECT_EQ(modals.seen[1].title, modals.seen[0].title);
        EXPECT_EQ(modals.seen[1].text, QString::fromStdString("Файл «other" + extension +
                                                              "» уже существует.\nЗаменить его?"));
        EXPECT_TRUE(dialogOpenAfterAnswer) << command;
        EXPECT_EQ(ReadBytes(path), "another loan\r\n") << command;

        // "Да": replaced.
        answerFileDialog(QString::fromStdString(folder / "other"));
        answerReplaceQuestion(QMessageBox::Yes);
        item(command)->trigger();
        EXPECT_EQ(modals.seen.size(), 4u);
        EXPECT_NE(ReadBytes(path), "another loan\r\n") << command;
    }
    EXPECT_EQ(ReadBytes(folder / "other.crp").substr(0, 6), "1000\r\n");
}

TEST_F(FileDialogTest, ANewFileIsWrittenWithoutAQuestion) {
    typeLoan("1000", "12", "3");
    click("Button1");
    answerFileDialog(QString::fromStdString(folder / "new"));
    item("N4")->trigger();
    EXPECT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(ReadBytes(folder / "new.crp").substr(0, 6), "1000\r\n");
}

TEST_F(FileDialogTest, DialogsOpenInTheFolderOfTheLoadedFileOrTheLastOneUsed) {
    // Nothing loaded or used yet: the home folder, not the process's current one.
    answerFileDialog("");
    item("N3")->trigger();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0], QDir::homePath());

    const std::string loans = folder / "loans";
    const std::string exports = folder / "exports";
    std::filesystem::create_directories(loans);
    std::filesystem::create_directories(exports);
    WriteBytes(loans + "/loan.crp", "1000\r\n12\r\n3\r\n10.01.2005\r\n");
    window->run([this, &loans] { form().LoadPaymentFile(loans + "/loan.crp"); });

    answerFileDialog("");
    item("N4")->trigger();
    answerFileDialog(QString::fromStdString(exports + "/table"));
    item("ExportCsv1")->trigger();
    answerFileDialog("");
    item("N4")->trigger();
    answerFileDialog("");
    item("N3")->trigger();
    ASSERT_EQ(folders.size(), 5u);
    EXPECT_EQ(folders[1], QString::fromStdString(loans));    // beside the loaded file
    EXPECT_EQ(folders[2], QString::fromStdString(loans));    // no folder used yet
    EXPECT_EQ(folders[3], QString::fromStdString(loans));    // offering the loaded file
    EXPECT_EQ(folders[4], QString::fromStdString(exports));  // the folder used last
}

TEST_F(FileDialogTest, FoldersAreCalledFoldersInTheTypeColumn) {
    std::filesystem::create_directories(folder / "loans");
    QFileSystemModel model;
    const QModelIndex root = model.setRootPath(QString::fromStdString(folder.path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(root) == 1; }));
    EXPECT_EQ(model.type(model.index(0, 0, root)), "Папка");
}

TEST_F(FileDialogTest, TheSizeTypeAndDateColumnsAreNotCutShort) {
    WriteBytes(folder / "кредит на квартиру.crp", std::string(123456, 'x'));
    std::filesystem::create_directories(folder / "архив");
    bool looked = false;
    modals.replies.push_back([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QString::fromStdString(folder.path()));
        auto* view = dialog->findChild<QTreeView*>("treeView");
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) == 2; }));
        dialog->setViewMode(QFileDialog::Detail);
        QApplication::processEvents();
        const QHeaderView* header = view->header();
        // The tree view's own measure of each column's texts (public through the base).
        const QAbstractItemView* items = view;
        for (int column = 1; column <= 3; ++column) {
            // Wide enough for the column's title and for every row's text.
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << column;
            EXPECT_GE(header->sectionSize(column), items->sizeHintForColumn(column)) << column;
        }
        // The names take what is left.
        EXPECT_GE(header->sectionSize(0), items->sizeHintForColumn(0));
        looked = true;
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
    item("N3")->trigger();
    EXPECT_TRUE(looked);
}

}  // namespace
