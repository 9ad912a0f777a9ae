// The scan effect of "wire" spheres and the sphere arrays it draws from.
//
// For the first 25 seconds of a scene the body first shows as a silhouette
// in its colour; from t = 5 a translucent plane grows at the top of the body
// (z = 1 in its own frame), sweeps down to z = -1 between t = 10 and 20,
// revealing the textured body above it corner by corner, and shrinks away at
// the bottom until t = 25.
#include <GL/gl.h>

#include <cmath>

#include "direction/scene_clock.h"
#include "resources/mesh_file.h"
#include "world/sphere.h"

namespace {

// The sphere mesh kept in memory for the whole run.
MeshArrays sphereArrays;

// How strongly a corner at height z shows above the plane at height a.
float revealAlpha(float planeHeight, float z) {
  return z > planeHeight ? std::fabs((planeHeight - z) * 4.0f) : 0.0f;
}

}  // namespace

ScanPlane scanPlaneAt(float t) {
  if (t < 10.0f) return {1.0f, (t - 5.0f) / 5.0f};
  if (t < 20.0f) return {1.0f - 2.0f * (t - 10.0f) / 10.0f, 1.0f};
  return {-1.0f, 1.0f - (t - 20.0f) / 5.0f};
}

void loadSphereArrays(const char* entryName) { readMeshArrays(entryName, sphereArrays); }

void Sphere::drawScanPass() {
  const float t = sceneClock;
  glDisable(GL_DEPTH_TEST);
  const ScanPlane plane = scanPlaneAt(t);

  // The untextured silhouette.
  glEnable(GL_CULL_FACE);
  glColor4f(color.x, color.y, color.z, 1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  glMatrixMode(GL_TEXTURE);
  glScalef(40.0f, 40.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  glCallList(displayList);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (t < 5.0f) return;

  // The textured body above the plane; the last corner's alpha stays in the
  // sphere's alpha field.
  glBindTexture(GL_TEXTURE_2D, texture);
  const MeshArrays& mesh = sphereArrays;
  glBegin(GL_TRIANGLES);
  for (std::size_t triangle = 0; triangle < mesh.triangleCount; ++triangle) {
    if (!mesh.triangleInRange(triangle)) continue;
    for (std::size_t corner = 0; corner < 3; ++corner) {
      const std::size_t vertex = mesh.vertexIndices[triangle * 3 + corner];
      const std::size_t texCoord = mesh.texCoordIndices[triangle * 3 + corner];
      const float* at = &mesh.positions[vertex * 3];
      alpha = revealAlpha(plane.height, at[2]);
      glColor4f(1.0f, 1.0f, 1.0f, alpha);
      glNormal3fv(&mesh.normals[(triangle * 3 + corner) * 3]);
      glTexCoord2fv(&mesh.texCoords[texCoord * 2]);
      glVertex3fv(at);
    }
  }
  glEnd();

  // The translucent scanning plane, in the sphere's own scaled frame.
  glDepthMask(GL_FALSE);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.4f, 0.5f, 0.8f, 0.2f);
  glDisable(GL_CULL_FACE);
  glRotatef(-spinAngle, 0.0f, 0.0f, 1.0f);
  const float halfWidth = 1.5f * plane.width;
  glBegin(GL_TRIANGLE_STRIP);
  glVertex3f(-halfWidth, -1.5f, plane.height);
  glVertex3f(-halfWidth, 1.5f, plane.height);
  glVertex3f(halfWidth, -1.5f, plane.height);
  glVertex3f(halfWidth, 1.5f, plane.height);
  glEnd();

  glEnable(GL_TEXTURE_2D);
  glDepthMask(GL_TRUE);
}
