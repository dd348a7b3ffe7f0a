#pragma once
// Form3, the component report, shown in the main window's place.
namespace brontal {
class MainWindow;
}

namespace brontal::report {

void openReportWindow(MainWindow& main);

} // namespace brontal::report
