#pragma once

#include "geometry/Vector3.h"

#include <GL/gl.h>

// A colour as glColor3f takes it.
struct Rgb {
    float r;
    float g;
    float b;
};

inline constexpr Rgb kWhite{1.0f, 1.0f, 1.0f};
inline constexpr Rgb kRed{1.0f, 0.0f, 0.0f};
inline constexpr Rgb kCentreGrey{0.6f, 0.6f, 0.6f};

// The current GL colour. It asks GL, so it is for once a frame, not once a piece.
inline Rgb CurrentColour()
{
    GLfloat rgba[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glGetFloatv(GL_CURRENT_COLOR, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

// One glBegin(GL_LINES) ... glEnd() block of polylines in one colour, which it also leaves
// as the current colour. A large course is thousands of such pieces, and the way they are
// sent decides the frame time with a software renderer: the driver joins consecutive GL_LINES
// blocks into one draw (it cannot join line strips), and a colour given inside a block stays
// part of the vertices, where a colour given between blocks ends the driver's batch. The
// pixels are those of line strips: every segment is half-open in both forms.
class LineBlock {
public:
    explicit LineBlock(const Rgb& colour)
    {
        glBegin(GL_LINES);
        glColor3f(colour.r, colour.g, colour.b);
    }
    ~LineBlock() { glEnd(); }
    LineBlock(const LineBlock&) = delete;
    LineBlock& operator=(const LineBlock&) = delete;

    // Continues the current polyline to v; the first point of a polyline only starts it.
    void To(const Vector3& v)
    {
        if (m_started) {
            Vertex(m_last);
            Vertex(v);
        }
        m_last = v;
        m_started = true;
    }
    // The next To starts a new polyline.
    void Break() { m_started = false; }
    void Segment(const Vector3& a, const Vector3& b)
    {
        Break();
        To(a);
        To(b);
        Break();
    }

private:
    static void Vertex(const Vector3& v) { glVertex3f(v.x, v.y, v.z); }

    Vector3 m_last;
    bool m_started = false;
};
