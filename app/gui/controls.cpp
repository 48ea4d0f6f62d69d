// The five control kinds on top of the toolkit's widgets.
#include "app/gui/controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>

#include <climits>
#include <memory>

#include "app/gui/gui_style.h"
#include "app/gui/simple_html_box.h"
#include "app/pictures/jpeg_picture.h"
#include "app/tutorial_pictures.h"
#include "platform/codepage/boundary.h"

namespace {
// A picture stretched to its box, proportions not kept, without a border. The
// pixels are prepared once, so drawing is a plain copy.
class PicBox : public Fl_Widget {
 public:
  PicBox(int x, int y, int w, int h, int number) : Fl_Widget(x, y, w, h) {
    EmbeddedFile file = TutorialPicture(number);
    Picture decoded;
    if (DecodeJpeg(file.data, file.size, w, h, &decoded) != DecodeStatus::Ok) return;
    pixels_ = StretchPicture(decoded, w, h);
    image_ = std::make_unique<Fl_RGB_Image>(pixels_.rgb.data(), pixels_.width, pixels_.height, 3);
  }

 protected:
  void draw() override {
    if (image_) image_->draw(x(), y());
  }

 private:
  Picture pixels_;
  std::unique_ptr<Fl_RGB_Image> image_;
};

void ButtonClicked(Fl_Widget*, void* handler) {
  if (handler) reinterpret_cast<Handler>(handler)();
}
}  // namespace

void CreateControl(TopWindow* window, const ControlDefinition& definition) {
  const Box& b = definition.box;
  const std::string text = Cp936ToUtf8(definition.text);
  Fl_Widget* widget = nullptr;
  switch (definition.kind) {
    case ControlKind::Label: {
      auto* label = new Fl_Box(FL_NO_BOX, b.left, b.top, b.width, b.height, nullptr);
      label->copy_label(LiteralLabel(text).c_str());
      label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
      widget = label;
      break;
    }
    case ControlKind::EditBox: {
      auto* edit = new Fl_Input(b.left, b.top, b.width, b.height);
      edit->maximum_size(INT_MAX);
      edit->textsize(kGuiFontSize);
      edit->value(text.c_str());
      widget = edit;
      break;
    }
    case ControlKind::Button: {
      auto* button = new Fl_Button(b.left, b.top, b.width, b.height);
      button->copy_label(LiteralLabel(text).c_str());
      button->callback(ButtonClicked, reinterpret_cast<void*>(definition.clicked));
      widget = button;
      break;
    }
    case ControlKind::PicBox:
      widget = new PicBox(b.left, b.top, b.width, b.height, definition.picture);
      break;
    case ControlKind::SimpleHtml:
      widget = new SimpleHtmlBox(b.left, b.top, b.width, b.height, text);
      break;
  }
  widget->labelsize(kGuiFontSize);
  window->AddControl(definition.name, widget);
}
