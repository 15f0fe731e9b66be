#include "platform/virtual/trace.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/virtual/virtual_machine.h"
#include "startup/saver.h"

namespace chu::virt {

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

namespace {
template <typename T>
std::string Array(const PerRunner<T>& a) {
  std::string out = "[";
  for (int i = 0; i < kRunners; ++i) {
    if (i) out += ',';
    if constexpr (std::is_floating_point_v<T>) out += JsonNumber(a[i]);
    else out += std::to_string(a[i]);
  }
  return out + "]";
}

std::string Key(const char* k) { return std::string(",\"") + k + "\":"; }
}  // namespace

std::string TraceWriter::head(const char* ev) const {
  return std::string("{\"ev\":\"") + ev + "\",\"race\":" + std::to_string(race_) + ",\"ms\":" +
         std::to_string(vm_.now());
}

std::string TraceWriter::headWithTick(const char* ev, const Saver& s) const {
  return head(ev) + Key("tick") + std::to_string(s.race ? s.race->tickCount : 0);
}

void TraceWriter::write(const std::string& line) {
  if (out_ != nullptr) *out_ << line << '\n';
}

void TraceWriter::onCard(const Saver& s) {
  ++race_;
  if (out_ == nullptr) return;
  const RaceState& st = s.state;
  const ShowWindow& board = *s.show;
  std::string line = head("card") + Key("runners") + "[";
  for (int i = 0; i < kRunners; ++i) {
    const int k = st.runNameNo[i];
    if (i) line += ',';
    line += "{\"no\":" + std::to_string(k) + ",\"name\":" + JsonString(st.runName[i]) +
            ",\"style\":" + std::to_string(st.rosterStyle[k]) + ",\"raceStyle\":" + std::to_string(st.runStyle[i]) +
            ",\"top\":" + JsonNumber(st.runTopSpeed[i]) + ",\"accel\":" + JsonNumber(st.runAccel[i]) +
            ",\"odds\":" + JsonString(board.lblTANSYO[i].caption) + "}";
  }
  line += "]" + Key("favourite") + std::to_string(st.favouriteNo) + Key("post") + JsonString(board.lblHASO.caption) +
          Key("now") + JsonString(board.lblNOW.caption) + Key("music") + std::to_string(board.musicDigit) + "}";
  write(line);
}

void TraceWriter::onStart(const Saver& s) {
  if (out_ == nullptr) return;
  write(head("start") + Key("interval") + std::to_string(s.race->interval) + Key("music") +
        std::to_string(s.race->musicDigit) + Key("top") + Array(s.state.runTopSpeed) + "}");
}

void TraceWriter::onTick(const Saver& s, int phase) {
  if (out_ != nullptr) {
    const RaceState& st = s.state;
    write(headWithTick("tick", s) + Key("phase") + std::to_string(phase) + Key("x") + Array(st.runX) + Key("y") +
          Array(st.runY) + Key("heading") + Array(st.runHeading) + Key("leg") + Array(st.runLeg) + Key("stage") +
          Array(st.runStage) + Key("vx") + Array(st.runVX) + Key("vy") + Array(st.runVY) + Key("top") +
          Array(st.runTopSpeed) + Key("rank") + Array(st.rankOrder) + Key("leader") + std::to_string(st.leaderNo) +
          Key("stageDone") + std::to_string(st.stageDone) + Key("talkState") + std::to_string(st.talkState) +
          Key("talkStage") + std::to_string(st.talkStage) + Key("barX") + std::to_string(st.barX) +
          Key("raceClock") + std::to_string(st.raceClock) + Key("runaway") + std::to_string(st.runawayNo) + "}");
  }
  if (afterTick) afterTick(s);
}

void TraceWriter::onClip(const Saver& s, int clip) {
  write(headWithTick("clip", s) + Key("clip") + std::to_string(clip) + "}");
}

void TraceWriter::onSound(const Saver& s, std::string_view name, bool wait) {
  write(headWithTick("sound", s) + Key("file") + JsonString(name) + Key("wait") + (wait ? "true" : "false") + "}");
}

void TraceWriter::onResult(const Saver& s, const std::vector<std::string>& lines) {
  RaceResult r;
  r.race = race_;
  r.lines = lines;
  r.order.assign(s.state.rankOrder.begin(), s.state.rankOrder.end());
  r.raceClock = s.state.raceClock;
  r.ticks = s.race->tickCount;
  results_.push_back(r);
  if (out_ == nullptr) return;
  std::string line = headWithTick("result", s) + Key("order") + Array(s.state.rankOrder) + Key("lines") + "[";
  for (std::size_t i = 0; i < lines.size(); ++i) line += (i ? "," : "") + JsonString(lines[i]);
  write(line + "]}");
}

void TraceWriter::onHandover(const Saver& s) {
  ++handovers_;
  write(headWithTick("handover", s) + "}");
}

void TraceWriter::onEnd(const Saver&) {
  userEnded_ = true;
  write("{\"ev\":\"end\",\"ms\":" + std::to_string(vm_.now()) + ",\"reason\":\"input\"}");
}

void TraceWriter::endOfRaces() { write("{\"ev\":\"end\",\"ms\":" + std::to_string(vm_.now()) + ",\"reason\":\"races\"}"); }

}  // namespace chu::virt
