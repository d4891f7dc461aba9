// Points and rectangles: half-open rectangles, y growing downward, in three coordinate kinds.
#include <cstdio>

#include "tal/rect.h"

void Print(const char* what, const Tal_LRect& r) {
    std::printf("%s: left %d top %d right %d bottom %d\n", what, int(r.left), int(r.top),
                int(r.right), int(r.bottom));
}

//! [rect]
int main() {
    Tal_LRect a, b, both, either;
    Tal_SetLRect(&a, 0, 0, 100, 50);
    Tal_SetLRect(&b, 60, 20, 160, 80);
    const bool overlap = Tal_SectLRect(&a, &b, &both);
    Print(overlap ? "intersection" : "no intersection", both);
    Tal_UnionLRect(&a, &b, &either);
    Print("union", either);

    // Half-open: the right and bottom edges are outside.
    const Tal_LPoint corner = {100, 50}, inside = {99, 49};
    std::printf("(100, 50) in a: %d, (99, 49) in a: %d\n", Tal_LPtInRect(&corner, &a),
                Tal_LPtInRect(&inside, &a));

    // Rectangles that only touch do not intersect: the result is all zero.
    Tal_LRect right, none;
    Tal_SetLRect(&right, 100, 0, 200, 50);
    Print(Tal_SectLRect(&a, &right, &none) ? "intersection" : "no intersection", none);

    // A fixed rectangle to whole pixels: the one inside it and the one around it.
    Tal_FixedRect f;
    Tal_SetFixedRect(&f, 0x8000, 0x8000, 0x28000, 0x28000);  // (0.5, 0.5) to (2.5, 2.5)
    Tal_LRect in, out;
    Tal_FixedRect2LRectIn(&f, &in);
    Tal_FixedRect2LRectOut(&f, &out);
    Print("pixels inside", in);
    Print("pixels around", out);
    return 0;
}
//! [rect]

//! [output]
// > intersection: left 60 top 20 right 100 bottom 50
// > union: left 0 top 0 right 160 bottom 80
// > (100, 50) in a: 0, (99, 49) in a: 1
// > no intersection: left 0 top 0 right 0 bottom 0
// > pixels inside: left 1 top 1 right 2 bottom 2
// > pixels around: left 0 top 0 right 3 bottom 3
//! [output]
