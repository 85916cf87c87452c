#include "server/pages.h"

#include <httplib.h>

#include <filesystem>

extern const char* const PageStyle;
extern const char* const TablePage;
extern const char* const PacksPage;

bool AddPageRoutes(httplib::Server& server, const std::string& webFolder) {
  auto page = [](const char* html, const char* type) {
    return [html, type](const httplib::Request&, httplib::Response& res) {
      res.set_header("Cache-Control", "no-cache");
      res.set_content(html, type);
    };
  };
  server.Get("/", page(TablePage, "text/html; charset=utf-8"));
  server.Get("/packs", page(PacksPage, "text/html; charset=utf-8"));
  server.Get("/style.css", page(PageStyle, "text/css; charset=utf-8"));
  if (webFolder.empty()) {
    server.Get("/play/", [](const httplib::Request&, httplib::Response& res) {
      res.status = 404;
      res.set_content("The web version is not installed beside this server.", "text/plain");
    });
    return true;
  }
  server.Get("/play", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/play/");
  });
  server.set_file_extension_and_mimetype_mapping("wasm", "application/wasm");
  server.set_file_extension_and_mimetype_mapping("webmanifest", "application/manifest+json");
  server.set_file_extension_and_mimetype_mapping("data", "application/octet-stream");
  return server.set_mount_point("/play", webFolder);
}
