#include "report/report_window.h"

#include "app/main_window.h"

namespace brontal::report {

void openReportWindow(MainWindow&) {}

} // namespace brontal::report
