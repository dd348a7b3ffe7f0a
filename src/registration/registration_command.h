#pragma once
// The regsvr32 command line of a registration request and its outcome texts.
#include <string>
#include <string_view>

namespace brontal {

enum class RegMode { Register, Unregister };

RegMode modeFromText(std::string_view lblIntReg);   // numeric 1 registers, anything else unregisters
bool hasComponentExtension(std::string_view nameOrPath); // ".dll" or ".ocx", any letter case
// The regsvr32.exe that matches the file: SysWOW64's for "32", the native one
// through Sysnative otherwise; System32's on 32-bit Windows, which has neither.
std::string regsvr32Program(std::string_view bitnessText, bool windowsIs64);
// What follows the program on its command line: "  /s " or "  /u /s ", then
// the path in double quotes.
std::string regsvr32Arguments(RegMode mode, std::string_view fullPath);
std::string outcomeText(RegMode mode, bool ok);
// Why regsvr32 failed, from its exit code, as the message line says it after
// the outcome; "" for 0. Codes 1 to 5 are regsvr32's own; any other is told
// as it is.
std::string exitCodeReason(unsigned long exitCode);

} // namespace brontal
