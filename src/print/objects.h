#pragma once

// The drawing objects a page records. Corners are in inches from the paper's top-left
// corner; pens, brushes and fonts are indices into the page list's resource table.

#include <memory>
#include <string>

#include "print/measurement.h"

namespace print {

enum TPvObjectType {
    pvLineType = 1,
    pvRectangleType = 2,
    pvTextBoxType = 14,
};

enum TPvAlignment { taLeftJustify, taRightJustify, taCenter };
enum TPvVertAlignment { pvTop, pvMiddle, pvBottom };

class TPvLineObject;
class TPvRectangleShape;
class TPvTextBoxObject;

// Replay and inspection walk a page through this.
class TPvObjectVisitor {
  public:
    virtual ~TPvObjectVisitor() = default;
    virtual void Visit(const TPvLineObject& line) = 0;
    virtual void Visit(const TPvRectangleShape& rectangle) = 0;
    virtual void Visit(const TPvTextBoxObject& textBox) = 0;
};

class TPvBaseObject {
  public:
    virtual ~TPvBaseObject() = default;
    virtual int TypeCode() const = 0;
    virtual void Accept(TPvObjectVisitor& visitor) const = 0;
    virtual void Offset(TPvExtended dx, TPvExtended dy) = 0;

    // Objects that are not printable show on screen only.
    bool Printable = true;
};

class TPvVisibleObject : public TPvBaseObject {};

class TPvOutlineShape : public TPvVisibleObject {
  public:
    int Pen = -1;
};

class TPvSolidShape : public TPvOutlineShape {
  public:
    int Brush = -1;
};

class TPvBaseSolidShape : public TPvSolidShape {
  public:
    TPvExtended X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;

    void Offset(TPvExtended dx, TPvExtended dy) override {
        X1 += dx;
        X2 += dx;
        Y1 += dy;
        Y2 += dy;
    }
};

class TPvSimpleSolidShape : public TPvBaseSolidShape {};

class TPvLineObject : public TPvSimpleSolidShape {
  public:
    int TypeCode() const override { return pvLineType; }
    void Accept(TPvObjectVisitor& visitor) const override { visitor.Visit(*this); }
};

class TPvRectangleShape : public TPvSimpleSolidShape {
  public:
    int TypeCode() const override { return pvRectangleType; }
    void Accept(TPvObjectVisitor& visitor) const override { visitor.Visit(*this); }
};

class TPvBaseTextObject : public TPvBaseSolidShape {
  public:
    int Font = -1;
    std::string Text;  // UTF-8
};

class TPvTextBoxObject : public TPvBaseTextObject {
  public:
    int TypeCode() const override { return pvTextBoxType; }
    void Accept(TPvObjectVisitor& visitor) const override { visitor.Visit(*this); }

    TPvAlignment Alignment = taLeftJustify;
    TPvVertAlignment VertAlignment = pvTop;
    TPvExtended Inset = 0;       // inches, on every side
    TPvExtended TextHeight = 0;  // inches, twice the inset included
    bool Clip = true;            // kept for stored pages; the text is always clipped
    bool WordWrap = true;
};

}  // namespace print
