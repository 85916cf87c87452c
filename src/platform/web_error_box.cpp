#include "platform/video.h"
#include "platform/web_page.h"

void ShowErrorBox(const std::string& title, const std::string& message) {
  web_page::ShowMessage(title, message);
}
