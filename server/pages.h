#pragma once
#include <string>

namespace httplib {
class Server;
}

// The pages a browser sees: the world table (/), the pack list (/packs) and the web version
// of the game (/play/, the files of its build folder). They read the API from the browser.
// False when the web version's folder can't be served.
bool AddPageRoutes(httplib::Server& server, const std::string& webFolder);
