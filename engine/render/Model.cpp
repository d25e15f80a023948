#include "engine/render/Model.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <cstring>

namespace OrvaneEngine
{
namespace
{

constexpr float ProceduralBoxHalfSize = 0.0001f;

} // namespace

Model::Model(MessageManager* log_, FileManager* files_, TimerManager* timers_, RenderSystem* renderSystem_,
             CameraManager* cameraManager_, LightManager* lightManager_, ShaderManager* shaderManager_,
             const Vector3& a, const Vector3& b, const ShaderDescriptor* descriptor, Camera* camera_,
             std::uint32_t flags_)
{
    StoreServices(log_, files_, timers_, renderSystem_, cameraManager_, lightManager_, shaderManager_);
    flags = BoxFlags;
    SetFlags(flags_);
    animationControl = std::make_unique<AnimationControl>(log, timers, 1);
    FillBox(a, b);
    shaderUser = AddShaderUser(descriptor);
    FinishConstruction(camera_);
    name = "box";
    ComputeBoundingBox(boundingVolume);
}

Model::Model(MessageManager* log_, FileManager* files_, TimerManager* timers_, RenderSystem* renderSystem_,
             CameraManager* cameraManager_, LightManager* lightManager_, ShaderManager* shaderManager_,
             std::uint32_t flags_, std::uint32_t vertexCount, std::uint32_t indexCount, std::uint32_t frameCount,
             const ShaderDescriptor* descriptor, Camera* camera_)
{
    StoreServices(log_, files_, timers_, renderSystem_, cameraManager_, lightManager_, shaderManager_);
    flags = flags_ != 0 ? flags_ : FlagVertexUsage;
    animationControl = std::make_unique<AnimationControl>(log, timers, frameCount);
    indexBuffer = renderSystem->CreateIndexBuffer(flags & FlagIndexUsage, indexCount);
    vertexBuffer = renderSystem->CreateVertexBuffer(flags & FlagVertexUsage, (flags & FlagColored) != 0, vertexCount);
    shaderUser = AddShaderUser(descriptor);
    FinishConstruction(camera_);
    name = "self_made";
    boundingVolume.SetBox(Vector3(-ProceduralBoxHalfSize, -ProceduralBoxHalfSize, -ProceduralBoxHalfSize),
                          Vector3(ProceduralBoxHalfSize, ProceduralBoxHalfSize, ProceduralBoxHalfSize));
}

Model::Model(MessageManager* log_, FileManager* files_, TimerManager* timers_, RenderSystem* renderSystem_,
             CameraManager* cameraManager_, LightManager* lightManager_, ShaderManager* shaderManager_,
             const std::string& fileName, Camera* camera_, std::uint32_t flags_)
{
    StoreServices(log_, files_, timers_, renderSystem_, cameraManager_, lightManager_, shaderManager_);
    name = fileName;
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    {
        std::unique_ptr<FileBinary> file;
        try
        {
            file = files->Open(MakeDataPath(fileName), false);
        }
        catch (const FileError& error)
        {
            log->Error(error.GetText());
            throw Error(error.GetText());
        }
        ReadCheckedFile(*file, flags_, frameCount, speed);
    }
    FinishFileModel(camera_, frameCount, speed);
}

Model::Model(MessageManager* log_, FileManager* files_, TimerManager* timers_, RenderSystem* renderSystem_,
             CameraManager* cameraManager_, LightManager* lightManager_, ShaderManager* shaderManager_,
             FileBinary& file, const std::string& fileName, Camera* camera_, std::uint32_t flags_)
{
    StoreServices(log_, files_, timers_, renderSystem_, cameraManager_, lightManager_, shaderManager_);
    name = fileName;
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    ReadCheckedFile(file, flags_, frameCount, speed);
    FinishFileModel(camera_, frameCount, speed);
}

Model::Model(const Model& source, Camera* camera_, std::uint32_t flags_)
{
    StoreServices(source.log, source.files, source.timers, source.renderSystem, source.cameraManager,
                  source.lightManager, source.shaderManager);
    flags = source.flags | flags_;
    if (flags == 0)
        flags = FlagVertexUsage;
    animationControl = std::make_unique<AnimationControl>(*source.animationControl);
    if ((flags & FlagSkeletal) && source.skeleton)
    {
        skeleton = std::make_unique<Skeleton>(*source.skeleton);
        boneKeys = source.boneKeys;
    }
    vertexBuffer = renderSystem->CreateVertexBufferFrom(flags & FlagVertexUsage, (flags & FlagColored) != 0,
                                                        source.vertexBuffer.get());
    if (flags & FlagMorph)
        morphVertices = source.morphVertices;
    else if (flags & FlagSkeletal)
        skinRecords = source.skinRecords;
    indexBuffer = renderSystem->CreateIndexBufferFrom(flags & FlagIndexUsage, source.indexBuffer.get());
    boundingVolume = source.boundingVolume;
    frameVolumes = source.frameVolumes;
    shaderUser = shaderManager->AddShaderUser(*source.shaderUser);
    camera = camera_ != nullptr ? camera_ : source.camera;
    worldMatrix = source.worldMatrix;
    baseMatrix = source.baseMatrix;
    boundingVolume.SetMatrix(worldMatrix);
    depth = source.depth;
    strip = source.strip;
    UpdatePrimitiveCount();
    primitivesToDraw = 0;
    name = source.name;
    writtenFrames = source.writtenFrames;
}

Model::~Model()
{
    shaderManager->RemoveShaderUser(shaderUser);
}

void Model::StoreServices(MessageManager* log_, FileManager* files_, TimerManager* timers_,
                          RenderSystem* renderSystem_, CameraManager* cameraManager_, LightManager* lightManager_,
                          ShaderManager* shaderManager_)
{
    log = log_;
    files = files_;
    timers = timers_;
    renderSystem = renderSystem_;
    cameraManager = cameraManager_;
    lightManager = lightManager_;
    shaderManager = shaderManager_;
    Matrix4::Identity(worldMatrix);
    Matrix4::Identity(baseMatrix);
}

ShaderUser* Model::AddShaderUser(const ShaderDescriptor* descriptor)
{
    if (descriptor != nullptr)
        return shaderManager->AddShaderUser(*descriptor);
    const ShaderDescriptor plain(0);
    return shaderManager->AddShaderUser(plain);
}

void Model::FinishConstruction(Camera* camera_)
{
    SetCamera(camera_);
    Matrix4::Identity(worldMatrix);
    Matrix4::Identity(baseMatrix);
    writtenFrames = WrittenFrames{};
    depth = 0.0f;
    strip = (flags & FlagList) == 0 ? 1 : 0;
    UpdatePrimitiveCount();
    primitivesToDraw = 0;
}

void Model::ReadCheckedFile(FileBinary& file, std::uint32_t callerFlags, std::uint32_t& frameCount, float& speed)
{
    try
    {
        ReadModelFile(file, callerFlags, frameCount, speed);
    }
    catch (const FileError& error)
    {
        log->Error(error.GetText());
        throw Error(error.GetText());
    }
}

void Model::FinishFileModel(Camera* camera_, std::uint32_t frameCount, float speed)
{
    animationControl = std::make_unique<AnimationControl>(log, timers, frameCount);
    animationControl->speed = speed;
    std::string shaderName = name;
    ChangeExtension(shaderName, "srf");
    shaderUser = shaderManager->LoadShaderUser(shaderName);
    FinishConstruction(camera_);
}

void Model::FillBox(const Vector3& a, const Vector3& b)
{
    struct Corner
    {
        float x, y, z, u, v;
    };
    struct Face
    {
        Vector3 normal;
        Corner corners[4];
    };
    const Face faces[6] = {
        {{0, 0, -1}, {{a.x, a.y, a.z, 1, 0}, {a.x, b.y, a.z, 1, 1}, {b.x, b.y, a.z, 0, 1}, {b.x, a.y, a.z, 0, 0}}},
        {{0, 0, 1}, {{a.x, a.y, b.z, 0, 0}, {b.x, a.y, b.z, 1, 0}, {b.x, b.y, b.z, 1, 1}, {a.x, b.y, b.z, 0, 1}}},
        {{0, -1, 0}, {{a.x, a.y, a.z, 0, 0}, {b.x, a.y, a.z, 1, 0}, {b.x, a.y, b.z, 1, 1}, {a.x, a.y, b.z, 0, 1}}},
        {{1, 0, 0}, {{b.x, a.y, a.z, 0, 0}, {b.x, b.y, a.z, 1, 0}, {b.x, b.y, b.z, 1, 1}, {b.x, a.y, b.z, 0, 1}}},
        {{0, 1, 0}, {{b.x, b.y, a.z, 0, 0}, {a.x, b.y, a.z, 1, 0}, {a.x, b.y, b.z, 1, 1}, {b.x, b.y, b.z, 0, 1}}},
        {{-1, 0, 0}, {{a.x, b.y, a.z, 0, 0}, {a.x, a.y, a.z, 1, 0}, {a.x, a.y, b.z, 1, 1}, {a.x, b.y, b.z, 0, 1}}},
    };

    vertexBuffer = renderSystem->CreateVertexBuffer(flags & FlagVertexUsage, (flags & FlagColored) != 0, 24);
    auto* target = static_cast<std::uint8_t*>(vertexBuffer->Lock(0, 24));
    const std::uint32_t stride = vertexBuffer->GetStride();
    for (const Face& face : faces)
    {
        for (const Corner& corner : face.corners)
        {
            // Position and normal lead either layout; u and v end it.
            const float position[3] = {corner.x, corner.y, corner.z};
            const float uv[2] = {corner.u, corner.v};
            std::memcpy(target, position, sizeof(position));
            std::memcpy(target + 12, &face.normal, 12);
            std::memcpy(target + stride - 8, uv, sizeof(uv));
            target += stride;
        }
    }
    vertexBuffer->Unlock();

    std::uint32_t indices[36];
    for (std::uint32_t face = 0; face < 6; ++face)
    {
        const std::uint32_t first = 4 * face;
        const std::uint32_t pattern[6] = {first, first + 1, first + 2, first + 2, first + 3, first};
        for (std::uint32_t k = 0; k < 6; ++k)
            indices[6 * face + k] = pattern[k];
    }
    indexBuffer = renderSystem->CreateIndexBuffer(flags & FlagIndexUsage, 36);
    indexBuffer->SetIndices(0, 36, indices);
}

void Model::SetCamera(Camera* camera_)
{
    camera = camera_ != nullptr ? camera_ : cameraManager->defaultCamera;
}

void Model::SetShader(const ShaderDescriptor& descriptor)
{
    ShaderUser* previous = shaderUser;
    shaderUser = shaderManager->AddShaderUser(descriptor);
    shaderManager->RemoveShaderUser(previous);
}

void Model::ReplaceShader(const ShaderDescriptor& descriptor)
{
    SetShader(descriptor);
}

} // namespace OrvaneEngine
