// "Экспорт таблицы в CSV...": the table and the summary in a file a spreadsheet opens.

#include "app/main_form.h"
#include "app/table_report.h"
#include "storage/safe_file_writer.h"

namespace app {

void MainForm::ExportCsvClick() {
    // A failed write throws FileError, shown as for payment files; an earlier file stays.
    if (const auto path = port_.chooseCsvFileToSave())
        storage::WriteFileSafely(*path, CsvFileBytes(MakeTableReport(*this)));
}

}  // namespace app
