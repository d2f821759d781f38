#include "platform/forms/Placement.h"

#include "platform/vb/VbError.h"

namespace forms {

namespace {

void CheckSize(float size) {
  if (size < 0) vb::Raise(vb::err::InvalidPropertyValue);
}

}  // namespace

void Placement::SetLeft(float left) {
  left_ = left;
  PositionChanged();
}

void Placement::SetTop(float top) {
  top_ = top;
  PositionChanged();
}

void Placement::SetWidth(float width) {
  CheckSize(width);
  width_ = width;
  SizeChanged();
}

void Placement::SetHeight(float height) {
  CheckSize(height);
  height_ = height;
  SizeChanged();
}

void Placement::Move(float left, float top, float width, float height) {
  CheckSize(width);
  CheckSize(height);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  PositionChanged();
  SizeChanged();
}

}  // namespace forms
