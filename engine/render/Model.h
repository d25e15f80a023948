#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"
#include "engine/render/SkinRecord.h"
#include "engine/render/Vertex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class AnimationControl;
class Camera;
class CameraManager;
class FileBinary;
class FileManager;
class IndexBuffer;
class LightManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class Skeleton;
class TimerManager;
class VertexBuffer;

// The engine's only drawable thing: an indexed triangle mesh with one shader
// user, placed by its world matrix and animated by morph frames or by a
// skeleton. Models are made by the model manager; their owners change flags,
// matrices, depth, colour, camera and shader, and the manager updates and
// draws the registered ones every frame.
class Model
{
public:
    // The flags word.
    static constexpr std::uint32_t FlagStatic = 0x1;
    static constexpr std::uint32_t FlagMorph = 0x2;
    static constexpr std::uint32_t FlagSkeletal = 0x4;
    static constexpr std::uint32_t FlagList = 0x8;
    static constexpr std::uint32_t FlagColored = 0x20;
    static constexpr std::uint32_t FlagLit = 0x40;
    static constexpr std::uint32_t FlagDepthTest = 0x80;
    static constexpr std::uint32_t FlagOpaque = 0x200;
    static constexpr std::uint32_t FlagBlended = 0x400;
    static constexpr std::uint32_t FlagFixedDepth = 0x800;
    static constexpr std::uint32_t FlagZBiased = 0x1000;
    static constexpr std::uint32_t FlagCullClockwise = 0x2000;
    static constexpr std::uint32_t FlagTwoPass = 0x4000;
    static constexpr std::uint32_t FlagFollowVertices = 0x8000;
    static constexpr std::uint32_t FlagVisible = 0x40000;
    static constexpr std::uint32_t FlagNoDepthWrite = 0x80000;
    static constexpr std::uint32_t FlagIndexUsage = 0x100000;
    static constexpr std::uint32_t FlagVertexUsage = 0x200000;
    static constexpr std::uint32_t FlagCullCounterClockwise = 0x400000;
    static constexpr std::uint32_t FlagStencil = 0x800000;

    // The flags a box starts from before the caller's are set.
    static constexpr std::uint32_t BoxFlags = 0x422c9;
    // The "OVMLF" versions this reader understands; the first is current.
    static constexpr std::uint32_t FileVersion = 202;
    static constexpr std::uint32_t OldFileVersion = 201;
    // Floats per bone key: translation, rotation, scale.
    static constexpr std::uint32_t KeySize = 10;

    // A box between the corners a and b. A null descriptor draws with the
    // default shader, a null camera with the camera manager's default one.
    Model(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
          CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager, const Vector3& a,
          const Vector3& b, const ShaderDescriptor* descriptor, Camera* camera, std::uint32_t flags);
    // A mesh whose buffers the creator fills.
    Model(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
          CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager,
          std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount, std::uint32_t frameCount,
          const ShaderDescriptor* descriptor, Camera* camera);
    // A mesh read from an "OVMLF" file under the data folder; the flags are
    // ORed into the file's. A file that cannot be used is logged once and
    // thrown as Error.
    Model(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
          CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager,
          const std::string& fileName, Camera* camera, std::uint32_t flags);
    // The same from a file that is open already; fileName names it in error
    // texts and for the shader file.
    Model(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
          CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager, FileBinary& file,
          const std::string& fileName, Camera* camera, std::uint32_t flags);
    // A copy with buffers, skeleton and animation state of its own, sharing
    // the source's shader; the flags are ORed into the source's. A null camera
    // keeps the source's.
    Model(const Model& source, Camera* camera, std::uint32_t flags);
    virtual ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Keep the groups exclusive: 0x200 wins over 0x400, and 0x2000 over
    // 0x400000 over 0x4000. Clearing one of 0x200 and 0x400 sets the other.
    void SetFlags(std::uint32_t bits);
    void ClearFlags(std::uint32_t bits);
    // Every vertex of a coloured buffer; a plain buffer ignores it.
    void SetColor(const Color& color);
    // Null: the camera manager's default camera.
    void SetCamera(Camera* camera_);
    void GetWorldMatrix(Matrix4& out) const;
    // From the used indices: used - 2 for a strip (0 below 3), used / 3 for a list.
    void UpdatePrimitiveCount();
    // The box of the vertices that used indices name; an index beyond the
    // vertices is skipped.
    void ComputeBoundingBox(BoundingVolume& volume);
    // Advances the animation, follows it with the box and the vertices, and
    // with cull set drops a model outside its camera's view from drawing.
    void Update(bool cull);
    void Render();
    // Whether the ray hits a triangle; the distance, when asked for, is the
    // nearest hit along the unit ray in the model's own space (100000 for none).
    bool Pick(const Ray& ray, float* distance);
    // The model draws with a new user of the descriptor; the old one is returned.
    void SetShader(const ShaderDescriptor& descriptor);
    void ReplaceShader(const ShaderDescriptor& descriptor);

    const std::string& GetName() const { return name; }
    void SetName(const std::string& name_) { name = name_; }
    std::uint32_t GetFlags() const { return flags; }
    bool IsStrip() const { return strip != 0; }
    IndexBuffer* GetIndexBuffer() const { return indexBuffer.get(); }
    VertexBuffer* GetVertexBuffer() const { return vertexBuffer.get(); }
    AnimationControl* GetAnimationControl() const { return animationControl.get(); }
    ShaderUser* GetShaderUser() const { return shaderUser; }
    Skeleton* GetSkeleton() const { return skeleton.get(); }
    Camera* GetCamera() const { return camera; }
    const std::vector<SkinRecord>& GetSkinRecords() const { return skinRecords; }
    const std::vector<Vertex>& GetMorphVertices() const { return morphVertices; }
    const std::vector<float>& GetBoneKeys() const { return boneKeys; }
    const std::vector<BoundingVolume>& GetFrameVolumes() const { return frameVolumes; }
    std::uint32_t GetPrimitiveCount() const { return primitiveCount; }
    std::uint32_t GetPrimitivesToDraw() const { return primitivesToDraw; }

    // The frames and blend whose vertices the vertex buffer holds.
    struct WrittenFrames
    {
        bool valid = false;
        std::uint32_t firstFrame = 0;
        std::uint32_t secondFrame = 0;
        float blend = 0.0f;
    };
    const WrittenFrames& GetWrittenFrames() const { return writtenFrames; }

private:
    void StoreServices(MessageManager* log_, FileManager* files_, TimerManager* timers_, RenderSystem* renderSystem_,
                       CameraManager* cameraManager_, LightManager* lightManager_, ShaderManager* shaderManager_);
    // A null descriptor stands for a descriptor of flags 0.
    ShaderUser* AddShaderUser(const ShaderDescriptor* descriptor);
    // The end shared by the box, procedural and file constructors.
    void FinishConstruction(Camera* camera_);
    // The reader under the handler that logs a file problem once and throws it as Error.
    void ReadCheckedFile(FileBinary& file, std::uint32_t callerFlags, std::uint32_t& frameCount, float& speed);
    // Animation control, shader from the file's "srf" twin, camera, common end.
    void FinishFileModel(Camera* camera_, std::uint32_t frameCount, float speed);
    // Reads an "OVMLF" file into a model whose services are set and whose
    // buffers are not made yet: flags, skeleton, keys, buffers, vertex data and
    // boxes; hands back the frame count and speed. Every count is checked
    // against the bytes present, every index against the vertex count and
    // every bone index against the bone count. Throws FileError.
    void ReadModelFile(FileBinary& file, std::uint32_t callerFlags, std::uint32_t& frameCount, float& speed);
    void FillBox(const Vector3& a, const Vector3& b);
    // Brings the animation's frames into the frames the model has.
    void ClampFrames(std::uint32_t& firstFrame, std::uint32_t& secondFrame);
    void PoseBones(std::uint32_t firstFrame, std::uint32_t secondFrame, float blend);
    void WriteMorphVertices(std::uint32_t firstFrame, std::uint32_t secondFrame, float blend);
    void WriteSkinnedVertices();
    std::uint32_t FrameCount() const;

    MessageManager* log = nullptr;
    FileManager* files = nullptr;
    TimerManager* timers = nullptr;
    RenderSystem* renderSystem = nullptr;
    CameraManager* cameraManager = nullptr;
    LightManager* lightManager = nullptr;
    ShaderManager* shaderManager = nullptr;
    std::string name;
    std::uint32_t flags = 0;
    std::uint32_t strip = 0;
    std::unique_ptr<IndexBuffer> indexBuffer;
    std::unique_ptr<VertexBuffer> vertexBuffer;
    std::unique_ptr<AnimationControl> animationControl;
    ShaderUser* shaderUser = nullptr;
    std::vector<SkinRecord> skinRecords;
    std::vector<Vertex> morphVertices;
    std::unique_ptr<Skeleton> skeleton;
    std::vector<float> boneKeys;
    Camera* camera = nullptr;

public:
    // Owners place the model by writing it.
    Matrix4 worldMatrix;
    // The matrix as created, loaded or copied; owners reset the world matrix
    // to it before a new placement.
    Matrix4 baseMatrix;

private:
    std::vector<BoundingVolume> frameVolumes;

public:
    // The local box with the world matrix; as the last update left it.
    BoundingVolume boundingVolume;

private:
    std::uint32_t primitiveCount = 0;
    std::uint32_t primitivesToDraw = 0;

public:
    // The sort key; owners write it for models of fixed depth (0x800).
    float depth = 0.0f;

private:
    WrittenFrames writtenFrames;
    // Frames beyond the model's are reported once.
    bool frameRangeReported = false;
};

} // namespace OrvaneEngine
