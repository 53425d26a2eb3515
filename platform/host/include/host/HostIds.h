// Interface identifiers of the host's type library.
#pragma once

#include "guiddef.h"

// {83A33D31-27C5-11CE-BFD4-00400513BB57}
inline constexpr GUID LIBID_SldWorks = {
    0x83A33D31, 0x27C5, 0x11CE, {0xBF, 0xD4, 0x00, 0x40, 0x05, 0x13, 0xBB, 0x57}};
// {83A33D22-27C5-11CE-BFD4-00400513BB57}
inline constexpr IID IID_ISldWorks = {
    0x83A33D22, 0x27C5, 0x11CE, {0xBF, 0xD4, 0x00, 0x40, 0x05, 0x13, 0xBB, 0x57}};
// {83A33D22-37C5-11CE-BFD4-00400513BB57}: the application's event (dispatch) interface
inline constexpr IID DIID_DSldWorksEvents = {
    0x83A33D22, 0x37C5, 0x11CE, {0xBF, 0xD4, 0x00, 0x40, 0x05, 0x13, 0xBB, 0x57}};
// {83A33D32-27C5-11CE-BFD4-00400513BB57}
inline constexpr IID IID_IPartDoc = {
    0x83A33D32, 0x27C5, 0x11CE, {0xBF, 0xD4, 0x00, 0x40, 0x05, 0x13, 0xBB, 0x57}};
// {83A33D35-27C5-11CE-BFD4-00400513BB57}
inline constexpr IID IID_IAssemblyDoc = {
    0x83A33D35, 0x27C5, 0x11CE, {0xBF, 0xD4, 0x00, 0x40, 0x05, 0x13, 0xBB, 0x57}};
// {B90793FB-EF3D-4B80-A5C4-99959CDB6CEB}: the model document that carries its title
inline constexpr IID IID_ITitledModelDoc = {
    0xB90793FB, 0xEF3D, 0x4B80, {0xA5, 0xC4, 0x99, 0x95, 0x9C, 0xDB, 0x6C, 0xEB}};
// {DA306A0D-EAC5-4406-8610-B1DA805D9270}
inline constexpr IID IID_ISwAddin = {
    0xDA306A0D, 0xEAC5, 0x4406, {0x86, 0x10, 0xB1, 0xDA, 0x80, 0x5D, 0x92, 0x70}};

// The host's own interfaces that its type library does not publish: identifiers of this
// simulated host, {F1ACE700-0000-4000-8000-0000000000nn}.
#define FACETOR_HOST_IID(name, n)                                                                            \
    inline constexpr IID name = {0xF1ACE700, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, n}}
FACETOR_HOST_IID(IID_IModelDoc, 0x01);
FACETOR_HOST_IID(IID_IDrawingDoc, 0x02);
FACETOR_HOST_IID(IID_IHostFrame, 0x03);
FACETOR_HOST_IID(IID_ITemporaryBody, 0x04);
FACETOR_HOST_IID(IID_IHostSurface, 0x05);
FACETOR_HOST_IID(IID_IBody, 0x06);
FACETOR_HOST_IID(IID_IFace, 0x07);
FACETOR_HOST_IID(IID_IEnumBodies, 0x08);
FACETOR_HOST_IID(IID_IComponent, 0x09);
FACETOR_HOST_IID(IID_IConfiguration, 0x0A);
FACETOR_HOST_IID(IID_ISketch, 0x0B);
FACETOR_HOST_IID(IID_ISketchSegment, 0x0C);
FACETOR_HOST_IID(IID_ISketchPoint, 0x0D);
FACETOR_HOST_IID(IID_ICommandManager, 0x0E);
FACETOR_HOST_IID(IID_ICommandGroup, 0x0F);
FACETOR_HOST_IID(IID_ICommandTab, 0x10);
FACETOR_HOST_IID(IID_ICommandTabBox, 0x11);
#undef FACETOR_HOST_IID
