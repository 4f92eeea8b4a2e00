#pragma once

#include <functional>
#include <string>

namespace tw::ui {

// The kinds a renderer distinguishes; each maps to one widget type.
enum class ControlKind {
  Button,
  CheckBox,
  RadioGroup,
  ComboBox,
  ListBox,
  ListView,
  EditBox,
  StaticText,
  ValueLabel,
  LevelSlider,
  StepSlider,
  ProgressBar,
  GroupBox,
  CurveView,
};

// What changed in a control, so that a renderer updates only that part of its widget.
enum class Change {
  Text,     // caption or content text
  Enabled,  // own enabled state, or one radio button's
  Visible,
  Value,    // selection, check state, position
  Items,    // list content, columns or cells; the range of a slider or progress bar
  Focus,    // the model moves the focus (radio groups)
  ToolTip,
};

// Navigation keys. Forms that consume the arrow keys never pass them to a control.
enum class Key { Left, Up, Right, Down, PageUp, PageDown, Home, End };

class GroupBox;

// A toolkit-free control: the state a dialog-template control holds, the user actions on it
// and the notifications those actions send to the control's owner.
//
// Rule for every control: programmatic setters change state silently towards the owner
// (only the renderer's listener hears of it); user actions (click, select, drag, type,
// keys) change state and then run the owner's notification handler, as the matching
// window notification would. A user action on a control that is hidden or disabled, or
// inside a hidden or disabled group box, does nothing and returns false.
class Control {
 public:
  using Listener = std::function<void(Change)>;

  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  virtual ControlKind kind() const = 0;

  // The dialog template's control id (0 for controls that have none).
  int id() const { return id_; }

  const std::string& text() const { return text_; }
  virtual void setText(std::string text);

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool isVisible() const { return visible_; }
  void setVisible(bool visible);
  // A note a renderer shows when the pointer rests on the control (empty: none).
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string text);

  // Visible and enabled, together with every group box around it: what a user can reach.
  bool isShown() const;
  bool isUsable() const;

  // The renderer's hook: called after every state change, programmatic or by the user.
  void setListener(Listener listener) { listener_ = std::move(listener); }

  // The group box that frames this control in its form's layout (set by the layout).
  GroupBox* container() const { return container_; }
  void setContainer(GroupBox* box) { container_ = box; }

  // The control's own answer to a navigation key that reached it; true when it used the key.
  virtual bool keyDown(Key key);

 protected:
  Control(int id, std::string text) : id_(id), text_(std::move(text)) {}
  void notify(Change change) const;

 private:
  int id_;
  std::string text_;
  std::string toolTip_;
  bool enabled_ = true;
  bool visible_ = true;
  GroupBox* container_ = nullptr;
  Listener listener_;
};

}  // namespace tw::ui
