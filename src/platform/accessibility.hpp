#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/geometry.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"

namespace tavorin {

using ProcessId = std::int32_t;

// An opaque handle on one user-interface object of another process. Copies refer to the same
// object; equality is the platform's equality of elements (the same object, whatever the
// messaging time-out). The time-out travels with the handle: set it right after the element is
// obtained.
class AXElement {
 public:
  AXElement() = default;
  explicit AXElement(std::uint64_t identity) : identity_(identity) {}

  // The backend's identity of the object; 0 for the null handle.
  std::uint64_t identity() const { return identity_; }
  bool isNull() const { return identity_ == 0; }

  // Seconds a call on this element may block before it counts as failed; 0 leaves the
  // adapter's default in force.
  Seconds messagingTimeout() const { return messagingTimeout_; }
  void setMessagingTimeout(Seconds seconds) { messagingTimeout_ = seconds > 0 ? seconds : 0; }

  bool operator==(const AXElement& other) const { return identity_ == other.identity_; }

 private:
  std::uint64_t identity_ = 0;
  Seconds messagingTimeout_ = 0;
};

// A text range value ("AXSelectedTextRange").
struct AXTextRange {
  std::int64_t location = 0;
  std::int64_t length = 0;
  bool operator==(const AXTextRange&) const = default;
};

// A URL value ("AXURL", "AXDocument").
struct AXURL {
  std::string text;
  bool operator==(const AXURL&) const = default;
};

// One attribute value, of one of the kinds the callers read. Points and sizes are in global
// coordinates, origin at the top-left of the primary screen, y growing downward. Asking for
// another kind than the stored one answers nothing, like an absent attribute.
class AXValue {
 public:
  using Storage = std::variant<AXElement, std::vector<AXElement>, std::string, bool, double, AXURL,
                               Point, Size, AXTextRange>;

  AXValue(AXElement v) : storage_(std::move(v)) {}
  AXValue(std::vector<AXElement> v) : storage_(std::move(v)) {}
  AXValue(std::string v) : storage_(std::move(v)) {}
  AXValue(const char* v) : storage_(std::string(v)) {}
  AXValue(bool v) : storage_(v) {}
  AXValue(double v) : storage_(v) {}
  AXValue(AXURL v) : storage_(std::move(v)) {}
  AXValue(Point v) : storage_(v) {}
  AXValue(Size v) : storage_(v) {}
  AXValue(AXTextRange v) : storage_(v) {}

  std::optional<AXElement> asElement() const { return get<AXElement>(); }
  std::optional<std::vector<AXElement>> asElements() const { return get<std::vector<AXElement>>(); }
  std::optional<std::string> asString() const { return get<std::string>(); }
  std::optional<bool> asBool() const { return get<bool>(); }
  std::optional<double> asNumber() const { return get<double>(); }
  std::optional<AXURL> asURL() const { return get<AXURL>(); }
  std::optional<Point> asPoint() const { return get<Point>(); }
  std::optional<Size> asSize() const { return get<Size>(); }
  std::optional<AXTextRange> asTextRange() const { return get<AXTextRange>(); }

  const Storage& storage() const { return storage_; }
  bool operator==(const AXValue&) const = default;

 private:
  template <typename T>
  std::optional<T> get() const {
    if (const T* value = std::get_if<T>(&storage_)) return *value;
    return std::nullopt;
  }
  Storage storage_;
};

// The accessibility interface's result codes (AXError), kept numerically so that callers can
// log them as the platform reports them.
enum class AXError : std::int32_t {
  success = 0,
  failure = -25200,
  illegalArgument = -25201,
  invalidUIElement = -25202,
  cannotComplete = -25204,
  attributeUnsupported = -25205,
  actionUnsupported = -25206,
  notImplemented = -25208,
  apiDisabled = -25211,
  noValue = -25212,
};

// The attribute, value and action names of the interface, as the platform spells them.
namespace ax {
inline constexpr std::string_view role = "AXRole";
inline constexpr std::string_view subrole = "AXSubrole";
inline constexpr std::string_view title = "AXTitle";
inline constexpr std::string_view position = "AXPosition";
inline constexpr std::string_view size = "AXSize";
inline constexpr std::string_view minimized = "AXMinimized";
inline constexpr std::string_view fullScreen = "AXFullScreen";
inline constexpr std::string_view focused = "AXFocused";
inline constexpr std::string_view main = "AXMain";
inline constexpr std::string_view window = "AXWindow";
inline constexpr std::string_view windows = "AXWindows";
inline constexpr std::string_view focusedWindow = "AXFocusedWindow";
inline constexpr std::string_view focusedApplication = "AXFocusedApplication";
inline constexpr std::string_view frontmost = "AXFrontmost";
inline constexpr std::string_view enhancedUserInterface = "AXEnhancedUserInterface";
inline constexpr std::string_view selectedTextRange = "AXSelectedTextRange";

inline constexpr std::string_view windowRole = "AXWindow";
inline constexpr std::string_view applicationRole = "AXApplication";
inline constexpr std::string_view systemWideRole = "AXSystemWide";
inline constexpr std::string_view standardWindowSubrole = "AXStandardWindow";
inline constexpr std::string_view dialogSubrole = "AXDialog";
inline constexpr std::string_view floatingWindowSubrole = "AXFloatingWindow";
inline constexpr std::string_view unknownSubrole = "AXUnknown";

inline constexpr std::string_view raiseAction = "AXRaise";
inline constexpr std::string_view pressAction = "AXPress";

inline constexpr std::string_view trustedCheckOptionPrompt = "AXTrustedCheckOptionPrompt";
}  // namespace ax

// The accessibility interface to other applications' user interface (ApplicationServices:
// AXUIElementCreateSystemWide, AXUIElementCreateApplication, AXUIElementCopyElementAtPosition,
// AXUIElementGetPid, AXUIElementSetMessagingTimeout, AXUIElementCopyAttributeValue,
// AXUIElementSetAttributeValue, AXUIElementIsAttributeSettable, AXUIElementPerformAction,
// AXIsProcessTrusted, AXIsProcessTrustedWithOptions and the "com.apple.accessibility.api"
// notice). Calls block until the other side answers or the element's time-out passes; nothing is
// retried.
class Accessibility {
 public:
  virtual ~Accessibility() = default;

  virtual AXElement systemWide() = 0;
  virtual AXElement application(ProcessId pid) = 0;
  // The element at a global point (top-left origin, y down), asked of `root` (the system-wide
  // element, or an application's element to look only at its windows).
  virtual std::optional<AXElement> elementAtPosition(const AXElement& root, Point point) = 0;
  // The process that owns the element.
  virtual std::optional<ProcessId> pid(const AXElement& element) = 0;

  // Every failure, a time-out included, answers nothing.
  virtual std::optional<AXValue> attribute(const AXElement& element, std::string_view name) = 0;
  virtual AXError setAttribute(const AXElement& element, std::string_view name,
                               const AXValue& value) = 0;
  virtual bool isAttributeSettable(const AXElement& element, std::string_view name) = 0;
  virtual AXError performAction(const AXElement& element, std::string_view action) = 0;

  // Whether the user has granted this process the use of the interface; never prompts.
  virtual bool isProcessTrusted() = 0;
  // The same with "AXTrustedCheckOptionPrompt": the system may ask the user once.
  virtual bool isProcessTrustedWithPrompt() = 0;
  // A hint that the grant may have changed; callers check again.
  [[nodiscard]] virtual Subscription observeTrustChanges(std::function<void()> onChange) = 0;
  // Opens the place where the user grants the permission; false when the desktop has none.
  virtual bool openTrustSettings() = 0;

  // Typed reads: a value of another kind counts as absent.
  std::optional<std::string> stringAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asString);
  }
  std::optional<bool> boolAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asBool);
  }
  std::optional<double> numberAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asNumber);
  }
  std::optional<Point> pointAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asPoint);
  }
  std::optional<Size> sizeAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asSize);
  }
  std::optional<AXElement> elementAttribute(const AXElement& e, std::string_view name) {
    return read(e, name, &AXValue::asElement);
  }
  std::optional<std::vector<AXElement>> elementsAttribute(const AXElement& e,
                                                          std::string_view name) {
    return read(e, name, &AXValue::asElements);
  }

 private:
  template <typename T>
  std::optional<T> read(const AXElement& e, std::string_view name,
                        std::optional<T> (AXValue::*as)() const) {
    auto value = attribute(e, name);
    if (!value) return std::nullopt;
    return ((*value).*as)();
  }
};

}  // namespace tavorin
