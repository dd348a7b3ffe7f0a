#pragma once
#include <string>
namespace brontal::platform {
std::string loadFailureReason(const std::string& componentPath);
}
