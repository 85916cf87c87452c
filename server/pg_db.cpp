#include "server/pg_db.h"

#include <pqxx/pqxx>

namespace {

constexpr unsigned ByteaType = 17;  // PostgreSQL's type number of bytea

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out = "\\x";
  out.reserve(2 + 2 * bytes.size());
  for (const char c : bytes) {
    out += digits[static_cast<uint8_t>(c) >> 4];
    out += digits[static_cast<uint8_t>(c) & 15];
  }
  return out;
}

// Every statement goes through one nontransaction; BEGIN and COMMIT are statements of their
// own, so a transaction spans the calls between them.
class TPostgresDb : public TDb {
 public:
  explicit TPostgresDb(const std::string& address) try : conn_(address), work_(conn_) {
  } catch (const std::exception& e) {
    throw EDbError(std::string("PostgreSQL: ") + e.what());
  }

  std::vector<TRow> Exec(const std::string& sql, const std::vector<TValue>& params) override {
    std::vector<std::string> texts(params.size());
    std::vector<const char*> values(params.size(), nullptr);
    for (size_t i = 0; i < params.size(); ++i) {
      const TValue& v = params[i];
      if (std::holds_alternative<std::nullptr_t>(v)) continue;
      if (const auto* n = std::get_if<int64_t>(&v))
        texts[i] = std::to_string(*n);
      else if (const auto* s = std::get_if<std::string>(&v))
        texts[i] = *s;
      else
        texts[i] = Hex(std::get<TBlob>(v).Bytes);  // bytea's text form
      values[i] = texts[i].c_str();
    }
    try {
      const pqxx::result r = work_.exec_params(sql, pqxx::prepare::make_dynamic_params(values));
      std::vector<TRow> rows;
      rows.reserve(r.size());
      for (const auto& row : r) {
        TRow out;
        for (const auto& f : row) {
          if (f.is_null())
            out.emplace_back();
          else if (f.type() == ByteaType)
            out.emplace_back(pqxx::binarystring(f).str());
          else
            out.emplace_back(std::string(f.c_str(), f.size()));
        }
        rows.push_back(std::move(out));
      }
      return rows;
    } catch (const std::exception& e) {
      throw EDbError(std::string("PostgreSQL: ") + e.what());
    }
  }
  void Begin() override { Exec("BEGIN", {}); }
  void Commit() override { Exec("COMMIT", {}); }
  void Rollback() override { Exec("ROLLBACK", {}); }
  bool Postgres() const override { return true; }

 private:
  pqxx::connection conn_;
  pqxx::nontransaction work_;
};

}  // namespace

std::unique_ptr<TDb> OpenPostgres(const std::string& address) {
  return std::make_unique<TPostgresDb>(address);
}
