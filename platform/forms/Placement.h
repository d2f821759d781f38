#pragma once
// Left, Top, Width and Height of a window or a control, in twips, kept as
// single-precision numbers exactly as code set them (no rounding). The
// window or control turns them into pixels when they change.
namespace forms {

class Placement {
 public:
  virtual ~Placement() = default;

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void SetLeft(float left);
  void SetTop(float top);
  // A negative size raises error 380 (Invalid property value).
  void SetWidth(float width);
  void SetHeight(float height);
  void Move(float left, float top, float width, float height);

 protected:
  // Told after a change of Left or Top, and after a change of Width or Height.
  virtual void PositionChanged() = 0;
  virtual void SizeChanged() = 0;
  // Keeps values without telling (the user moved or sized the window, or a
  // design size was worked out in pixels first).
  void KeepPosition(float left, float top) { left_ = left, top_ = top; }
  void KeepSize(float width, float height) { width_ = width, height_ = height; }

 private:
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace forms
