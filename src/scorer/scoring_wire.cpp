#include "scorer/scoring_wire.h"

#include <cstdint>
#include <cstring>

namespace {

class Writer {
 public:
  void Number(uint32_t value) { bytes_.append(reinterpret_cast<const char*>(&value), 4); }
  void Text(const std::string& text) {
    Number(static_cast<uint32_t>(text.size()));
    bytes_ += text;
  }
  void Time(const OleDateTime& time) {
    bytes_.append(reinterpret_cast<const char*>(&time.Date), sizeof time.Date);
    Number(static_cast<uint32_t>(time.State));
  }
  std::string Bytes() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  uint32_t Number() {
    uint32_t value = 0;
    std::memcpy(&value, Take(4), 4);
    return value;
  }
  std::string Text() {
    uint32_t size = Number();
    return std::string(Take(size), size);
  }
  OleDateTime Time() {
    OleDateTime time;
    std::memcpy(&time.Date, Take(sizeof time.Date), sizeof time.Date);
    time.State = static_cast<int32_t>(Number());
    return time;
  }
  void End() const {
    if (at_ != bytes_.size())
      throw WireError("a scoring message has bytes past its end");
  }

 private:
  const char* Take(size_t size) {
    if (size > bytes_.size() - at_)
      throw WireError("a scoring message ends early");
    const char* taken = bytes_.data() + at_;
    at_ += size;
    return taken;
  }
  const std::string& bytes_;
  size_t at_ = 0;
};

}  // namespace

std::string EncodeRequest(const ScoringRequest& request) {
  Writer out;
  const ResetInput& reset = request.Reset;
  out.Number(static_cast<uint32_t>(reset.CabrilloRequest));
  out.Text(reset.OwnCall);
  out.Time(reset.PeriodStart);
  out.Time(reset.PeriodEnd);
  out.Text(reset.OwnPrefix);
  out.Number(request.WantStored ? 1 : 0);
  out.Number(static_cast<uint32_t>(request.Qsos.size()));
  for (const QsoInput& qso : request.Qsos) {
    out.Text(qso.OwnCall);
    out.Text(qso.Call);
    out.Time(qso.Time);
    out.Number(qso.FrequencyHz);
    for (const std::string* text : {&qso.Mode, &qso.RstSent, &qso.RstRcvd, &qso.ExchSent,
                                    &qso.ExchRcvd, &qso.Prefix, &qso.Continent, &qso.Band})
      out.Text(*text);
  }
  return out.Bytes();
}

ScoringRequest DecodeRequest(const std::string& bytes) {
  Reader in(bytes);
  ScoringRequest request;
  ResetInput& reset = request.Reset;
  reset.CabrilloRequest = static_cast<int32_t>(in.Number());
  reset.OwnCall = in.Text();
  reset.PeriodStart = in.Time();
  reset.PeriodEnd = in.Time();
  reset.OwnPrefix = in.Text();
  request.WantStored = in.Number() != 0;
  uint32_t count = in.Number();
  for (uint32_t i = 0; i < count; ++i) {
    QsoInput qso;
    qso.OwnCall = in.Text();
    qso.Call = in.Text();
    qso.Time = in.Time();
    qso.FrequencyHz = in.Number();
    for (std::string* text : {&qso.Mode, &qso.RstSent, &qso.RstRcvd, &qso.ExchSent, &qso.ExchRcvd,
                              &qso.Prefix, &qso.Continent, &qso.Band})
      *text = in.Text();
    request.Qsos.push_back(std::move(qso));
  }
  in.End();
  return request;
}

std::string EncodeAnswer(const ScoringAnswer& answer) {
  Writer out;
  out.Text(answer.Summary);
  std::string stored;
  for (bool kept : answer.Stored)
    stored += kept ? '1' : '0';
  out.Text(stored);
  return out.Bytes();
}

ScoringAnswer DecodeAnswer(const std::string& bytes) {
  Reader in(bytes);
  ScoringAnswer answer;
  answer.Summary = in.Text();
  for (char kept : in.Text())
    answer.Stored.push_back(kept == '1');
  in.End();
  return answer;
}

std::string Framed(const std::string& message) {
  uint32_t size = static_cast<uint32_t>(message.size());
  return std::string(reinterpret_cast<const char*>(&size), 4) + message;
}
