#include "server/options.h"

#include "server/intake.h"

const char* const ServerUsage =
    "usage: tarvelle-server [--listen HOST:PORT] [--data DIR | --database URL] [OPTIONS]\n"
    "       tarvelle-server hide ID [--data DIR | --database URL]\n"
    "       tarvelle-server migrate [--data DIR | --database URL]\n"
    "  --listen HOST:PORT    where to answer (127.0.0.1:8080)\n"
    "  --data DIR            the server's folder: its SQLite file DIR/tarvelle.sqlite\n"
    "  --database URL        postgresql://USER@HOST/NAME (or an SQLite file) in its place\n"
    "  --game-data DIR       the game's data folder, with its LevelsFree.dat\n"
    "  --web DIR             the web version's folder, served under /play/\n"
    "  --helpers DIR         the folder of tarvelle-drive and tarvelle-bot\n"
    "  --rules N=PROGRAM     verify replays of older rules N with that version's tarvelle-drive\n"
    "  --workers N           verifications and proofs at once (one a processor)\n"
    "  --threads N           connections served at once (16)\n"
    "  --per-minute N        submissions per address per minute (10)\n"
    "  --max-waiting N       jobs waiting before submissions get 503 (200)\n"
    "  --answer-within MS    wait this long for a verdict before answering 202 (3000)\n"
    "  --lease MS            a job's lease, renewed while it runs (60000)\n"
    "  --cpu S --memory MB --wall MS   a verifying child's limits (20, 1024, 60000)\n";

bool ParseServerOptions(const std::vector<std::string>& args, TServerOptions& o,
                        std::string& message) {
  size_t i = 0;
  if (!args.empty() && (args[0] == "hide" || args[0] == "migrate" || args[0] == "serve")) {
    o.Command = args[0];
    i = 1;
    if (o.Command == "hide") {
      if (args.size() < 2 || args[1].starts_with("-")) {
        message = "tarvelle-server: hide needs the id of a game or a pack\n";
        return false;
      }
      o.HideId = args[1];
      i = 2;
    }
  }
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      message = ServerUsage;
      return false;
    }
    if (i + 1 >= args.size()) {
      message = "tarvelle-server: " + (a.starts_with("--") ? a + " needs a value" : "unknown " + a) +
                "\n" + ServerUsage;
      return false;
    }
    const std::string& v = args[++i];
    auto number = [&](int64_t lo, int64_t hi, auto& out) {
      const auto n = NumberParam(v, lo, hi);
      if (!n) message = "tarvelle-server: " + a + " takes " + std::to_string(lo) + " to " +
                        std::to_string(hi) + "\n";
      else out = static_cast<std::remove_reference_t<decltype(out)>>(*n);
      return n.has_value();
    };
    if (a == "--listen") {
      const size_t colon = v.rfind(':');
      const auto port = colon == std::string::npos ? std::nullopt
                                                   : NumberParam(v.substr(colon + 1), 0, 65535);
      if (!port) {
        message = "tarvelle-server: --listen takes HOST:PORT (127.0.0.1:8080)\n";
        return false;
      }
      o.Host = v.substr(0, colon);
      if (o.Host.size() > 2 && o.Host.front() == '[' && o.Host.back() == ']')
        o.Host = o.Host.substr(1, o.Host.size() - 2);
      o.Port = static_cast<int>(*port);
    } else if (a == "--data") {
      o.Data = v;
    } else if (a == "--database") {
      o.Database = v;
    } else if (a == "--game-data") {
      o.GameData = v;
    } else if (a == "--web") {
      o.Web = v;
    } else if (a == "--helpers") {
      o.Helpers = v;
    } else if (a == "--rules") {
      const size_t eq = v.find('=');
      const auto n = eq == std::string::npos ? std::nullopt
                                             : NumberParam(v.substr(0, eq), 1, UINT32_MAX);
      if (!n || eq + 1 >= v.size()) {
        message = "tarvelle-server: --rules takes N=PROGRAM\n";
        return false;
      }
      o.RulesPrograms[static_cast<uint32_t>(*n)] = v.substr(eq + 1);
    } else if (a == "--workers") {
      if (!number(1, 256, o.Workers)) return false;
    } else if (a == "--threads") {
      if (!number(1, 1024, o.Threads)) return false;
    } else if (a == "--per-minute") {
      if (!number(1, 1000000, o.PerMinute)) return false;
    } else if (a == "--max-waiting") {
      if (!number(1, 1000000, o.MaxWaiting)) return false;
    } else if (a == "--answer-within") {
      if (!number(0, 60000, o.AnswerWithinMs)) return false;
    } else if (a == "--lease") {
      if (!number(300, 3600000, o.LeaseMs)) return false;
    } else if (a == "--cpu") {
      if (!number(1, 3600, o.CpuSeconds)) return false;
    } else if (a == "--memory") {
      if (!number(64, 65536, o.MemoryMb)) return false;
    } else if (a == "--wall") {
      if (!number(100, 3600000, o.WallMs)) return false;
    } else {
      message = "tarvelle-server: unknown option " + a + "\n" + ServerUsage;
      return false;
    }
  }
  if (o.Data.empty() && o.Database.empty()) {
    message = "tarvelle-server: --data DIR or --database URL is needed\n" + std::string(ServerUsage);
    return false;
  }
  return true;
}
