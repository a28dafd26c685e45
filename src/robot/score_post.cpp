#include "robot/score_post.h"

#include <expat.h>

#include <optional>
#include <set>
#include <vector>

#include "core/base/text.h"
#include "robot/robot_text.h"

namespace {

const int kDeepest = 8;           // rtc/dynamicresults/qth/grid6 is 4 deep
const int kMostElements = 2000;   // every band, mode and type of a breakdown is a few hundred
const size_t kLongestText = 100;  // of a field that is kept
const size_t kMostDigits = 12;

// One kind of breakdown line (qso, point or mult) added up.
struct Tally {
  std::optional<int64_t> Total;       // band="total" without a type
  std::optional<int64_t> TypedTotal;  // band="total" with a type, summed
  int64_t Bands = 0;

  void Add(const std::string& band, const std::string& type, int64_t value) {
    if (band != "total")
      Bands += value;
    else if (type.empty())
      Total = Total.value_or(0) + value;
    else
      TypedTotal = TypedTotal.value_or(0) + value;
  }
  int64_t Value() const { return Total ? *Total : TypedTotal ? *TypedTotal : Bands; }
};

bool ParseCount(const std::string& text, int64_t& value) {
  std::string digits = Trim(text);
  if (digits.empty() || digits.size() > kMostDigits ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoll(digits);
  return true;
}

std::string Attribute(const XML_Char** attributes, const char* name) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    if (std::string(attributes[i]) == name)
      return Clipped(Trim(attributes[i + 1]), 40);
  }
  return "";
}

// The Cabrillo form of a logger's band: "40" is "40M".
std::string CabrilloBand(const std::string& band) {
  std::string upper = ToUpper(band);
  bool metres = !upper.empty() && upper.find_first_not_of("0123456789") == std::string::npos;
  return metres ? upper + "M" : upper;
}

class PostReader {
 public:
  explicit PostReader(ScorePost& post) : parser_(XML_ParserCreate(nullptr)), post_(post) {}
  ~PostReader() { XML_ParserFree(parser_); }
  PostReader(const PostReader&) = delete;
  PostReader& operator=(const PostReader&) = delete;

  std::string Read(const std::string& xml) {
    if (parser_ == nullptr)
      return "the robot is out of memory";
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser_, OnText);
    // Entities are where XML's expansion attacks live: a post has no use for
    // a DOCTYPE, so the first sign of one ends the reading.
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    XML_SetEntityDeclHandler(parser_, OnEntity);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetExternalEntityRefHandler(parser_, OnExternalEntity);
    XML_Status status = XML_Parse(parser_, xml.data(), static_cast<int>(xml.size()), XML_TRUE);
    if (!fault_.empty())
      return fault_;
    if (status != XML_STATUS_OK) {
      return std::string("the XML cannot be read: ") + XML_ErrorString(XML_GetErrorCode(parser_)) +
             " (line " + std::to_string(XML_GetCurrentLineNumber(parser_)) + ")";
    }
    if (documentDepth_ == 0)
      return "no <dynamicresults> element";
    for (const char* needed : {"call", "score"}) {
      if (!seen_.count(needed))
        return std::string("no <") + needed + "> in the post";
    }
    post_.Qsos = qsos_.Value();
    post_.Points = points_.Value();
    post_.Mults = mults_.Value();
    return "";
  }

 private:
  static PostReader& Of(void* self) { return *static_cast<PostReader*>(self); }

  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    Of(self).Start(name, attributes);
  }
  static void XMLCALL OnEnd(void* self, const XML_Char*) { Of(self).End(); }
  static void XMLCALL OnText(void* self, const XML_Char* text, int length) {
    Of(self).Text(text, static_cast<size_t>(length));
  }
  static void XMLCALL OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    Of(self).Stop("a DOCTYPE is not taken in a post");
  }
  static void XMLCALL OnEntity(void* self, const XML_Char*, int, const XML_Char*, int,
                               const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    Of(self).Stop("an entity declaration is not taken in a post");
  }
  static int XMLCALL OnExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*,
                                      const XML_Char*) {
    return XML_STATUS_ERROR;
  }

  void Stop(const std::string& why) {
    if (fault_.empty())
      fault_ = why;
    XML_StopParser(parser_, XML_FALSE);
  }

  // The element's place under <dynamicresults>: "call", "qth/stprvoth",
  // "breakdown/qso"; empty outside it.
  std::string Place() const {
    if (documentDepth_ == 0 || static_cast<int>(path_.size()) <= documentDepth_)
      return "";
    std::string place;
    for (size_t i = static_cast<size_t>(documentDepth_); i < path_.size(); ++i)
      place += (place.empty() ? "" : "/") + path_[i];
    return place;
  }

  // After a stop the parser may still report an element's end or text.
  bool Stopped() const { return !fault_.empty(); }

  void Start(const std::string& name, const XML_Char** attributes) {
    if (Stopped())
      return;
    if (gathering_)
      return Stop("<" + path_.back() + "> holds elements where a value belongs");
    if (++elements_ > kMostElements)
      return Stop("more than " + std::to_string(kMostElements) + " elements");
    path_.push_back(name);
    if (static_cast<int>(path_.size()) > kDeepest)
      return Stop("elements nested deeper than " + std::to_string(kDeepest));
    if (path_.size() == 1 && name != "dynamicresults" && name != "rtc")
      return Stop("the XML is not a dynamicresults post");
    if (name == "dynamicresults" &&
        (path_.size() == 1 || (path_.size() == 2 && path_[0] == "rtc"))) {
      if (documentDepth_ != 0)
        return Stop("two <dynamicresults> in one post");
      documentDepth_ = static_cast<int>(path_.size());
      return;
    }
    std::string place = Place();
    if (place == "class") {
      post_.Class.Operator = ToUpper(Attribute(attributes, "ops"));
      post_.Class.Band = CabrilloBand(Attribute(attributes, "bands"));
      post_.Class.Transmitter = ToUpper(Attribute(attributes, "transmitter"));
      post_.Class.Power = ToUpper(Attribute(attributes, "power"));
    } else if (place == "contest" || place == "call" || place == "score" || place == "soft" ||
               place == "version" || place == "qth/stprvoth" || place == "breakdown/qso" ||
               place == "breakdown/point" || place == "breakdown/mult") {
      if (place.compare(0, 10, "breakdown/") != 0 && !seen_.insert(place).second)
        return Stop("two <" + name + "> in one post");
      band_ = Attribute(attributes, "band");
      type_ = Attribute(attributes, "type");
      text_.clear();
      gathering_ = true;
    }
  }

  void Text(const XML_Char* text, size_t length) {
    if (!gathering_ || Stopped())
      return;
    text_.append(text, length);
    if (text_.size() > kLongestText)
      Stop("the text of <" + path_.back() + "> is longer than " + std::to_string(kLongestText) +
           " bytes");
  }

  void End() {
    if (Stopped())
      return;
    if (gathering_) {
      gathering_ = false;
      Field(Place(), path_.back());
    }
    path_.pop_back();
  }

  void Field(const std::string& place, const std::string& name) {
    std::string value = Trim(text_);
    int64_t number = 0;
    bool counted = ParseCount(value, number);
    if (place == "contest") {
      post_.Contest = value;
    } else if (place == "call") {
      post_.Call = ToUpper(value);
    } else if (place == "qth/stprvoth") {
      post_.District = ToUpper(value);
    } else if (place == "soft" || place == "version") {
      post_.Software += (post_.Software.empty() ? "" : " ") + value;
    } else if (!counted) {
      std::string what = "<" + name + (band_.empty() ? "" : " band=\"" + band_ + "\"") + ">";
      Stop(what + " is not a number of at most " + std::to_string(kMostDigits) + " digits: '" +
           Clipped(value, 20) + "'");
    } else if (place == "score") {
      post_.Score = number;
    } else {
      Tally& tally = name == "qso" ? qsos_ : name == "point" ? points_ : mults_;
      tally.Add(band_, type_, number);
    }
  }

  XML_Parser parser_;
  ScorePost& post_;
  std::string fault_;
  std::vector<std::string> path_;  // the open elements from the root
  int elements_ = 0;
  int documentDepth_ = 0;  // of <dynamicresults>; 0 until it opens
  std::set<std::string> seen_;
  bool gathering_ = false;  // the text of a kept field is being read
  std::string text_, band_, type_;
  Tally qsos_, points_, mults_;
};

}  // namespace

std::string ReadScorePost(const std::string& xml, ScorePost& post) {
  if (xml.size() > kLargestScorePost)
    return "the post is larger than " + std::to_string(kLargestScorePost / 1024) + " KB";
  post = ScorePost();
  return PostReader(post).Read(xml);
}
