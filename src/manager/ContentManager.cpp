#include "manager/ContentManager.h"

#include "manager/GameManager.h"
#include "sound/SoundSystem.h"
#include "utility/ContentFileLoadingFailedException.h"
#include "utility/ContentNotLoadedException.h"

#include <utility>

namespace
{
// The entry under key, or null; each getter throws itself, so the report
// names the getter that was asked.
template <typename TStored>
TStored* Find(std::map<std::string, std::unique_ptr<TStored>>& store, const std::string& key)
{
    const auto found = store.find(key);
    return found == store.end() ? nullptr : found->second.get();
}

// The entry under key, created empty when there is none; it stays registered
// even when the load that follows fails.
template <typename TStored>
TStored& FindOrCreate(std::map<std::string, std::unique_ptr<TStored>>& store, const std::string& key)
{
    std::unique_ptr<TStored>& entry = store[key];
    if (!entry)
        entry = std::make_unique<TStored>();
    return *entry;
}
}

ContentManager::ContentManager()
    : m_contentFolder("data/"), m_imageFolder(m_contentFolder + "images/"), m_images(),
      m_soundFolder(m_contentFolder + "sounds/"), m_sounds(), m_fontFolder(m_contentFolder + "fonts/"),
      m_fonts(), m_composedStretchableDrawableConstructors()
{
}

ContentManager::~ContentManager()
{
    ReleaseSounds();
    // Descriptions refer to images, so they go first.
    m_composedStretchableDrawableConstructors.clear();
}

void ContentManager::ReleaseSounds()
{
    for (auto& sound : m_sounds)
        sound.second->Release();
}

const sf::Image& ContentManager::GetImage(std::string key)
{
    const StoredImage* image = Find(m_images, key);
    if (image == nullptr)
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(key));
    return image->pixels;
}

const sf::Texture& ContentManager::GetTexture(std::string key)
{
    const StoredImage* image = Find(m_images, key);
    if (image == nullptr)
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(key));
    return image->texture;
}

Sound& ContentManager::GetSound(std::string key)
{
    Sound* sound = Find(m_sounds, key);
    if (sound == nullptr)
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(key));
    return *sound;
}

const sf::Font& ContentManager::GetFont(std::string key)
{
    const sf::Font* font = Find(m_fonts, key);
    if (font == nullptr)
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(key));
    return *font;
}

const ComposedStretchableDrawableConstructor&
ContentManager::GetComposedStretchableDrawableConstructor(std::string key)
{
    const ComposedStretchableDrawableConstructor* description =
        Find(m_composedStretchableDrawableConstructors, key);
    if (description == nullptr)
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(key));
    return *description;
}

void ContentManager::LoadImage(std::string key, std::string file)
{
    const std::string path = m_imageFolder + file;
    StoredImage& image = FindOrCreate(m_images, key);
    // Read aside first: a failed read would leave the stored image with its old
    // size but no pixels. The texture is reloaded in place, so sprites made
    // earlier show the new picture.
    sf::Image loaded;
    if (!loaded.loadFromFile(path) || !image.texture.loadFromImage(loaded))
        BOOST_THROW_EXCEPTION(ContentFileLoadingFailedException() << ErrorFilename(file));
    image.pixels = loaded;
}

void ContentManager::LoadImage(std::string key)
{
    LoadImage(key, key);
}

void ContentManager::LoadFont(std::string key, std::string file)
{
    const std::string path = m_fontFolder + file;
    sf::Font& font = FindOrCreate(m_fonts, key);
    if (!font.loadFromFile(path))
        BOOST_THROW_EXCEPTION(ContentFileLoadingFailedException() << ErrorFilename(file));
}

void ContentManager::LoadFont(std::string key)
{
    LoadFont(key, key);
}

void ContentManager::LoadSound(std::string key, std::string file)
{
    const std::string path = m_soundFolder + file;
    Sound& sound = FindOrCreate(m_sounds, key);
    sound.Release();
    Sound created = GameManager::Instance()->GetSoundSystem().CreateSound(path.c_str(), FMOD_HARDWARE);
    sound.SetInternal(created.GetInternal());
}

void ContentManager::LoadSound(std::string key)
{
    LoadSound(key, key);
}

const sf::Texture& ContentManager::ImageTexture(const std::string& imageKey)
{
    GetImage(imageKey); // an image key that is not loaded is reported from here
    return GetTexture(imageKey);
}

void ContentManager::StoreDescription(const std::string& key,
                                      ComposedStretchableDrawableConstructor* description)
{
    std::unique_ptr<ComposedStretchableDrawableConstructor> owned(description);
    m_composedStretchableDrawableConstructors.emplace(key, std::move(owned));
}

void ContentManager::CreateComposedStretchableDrawableConstructor3x3(
    std::string key, const sf::Texture& image, const sf::IntRect& rect, unsigned left,
    unsigned right, unsigned top, unsigned bottom, bool repeating)
{
    StoreDescription(key, ComposedStretchableDrawableConstructor::Create3x3(image, rect, left, right,
                                                                            top, bottom, repeating));
}

void ContentManager::CreateComposedStretchableDrawableConstructor3x3(
    std::string key, std::string imageKey, const sf::IntRect& rect, unsigned left, unsigned right,
    unsigned top, unsigned bottom, bool repeating)
{
    CreateComposedStretchableDrawableConstructor3x3(key, ImageTexture(imageKey), rect, left, right,
                                                    top, bottom, repeating);
}

void ContentManager::CreateComposedStretchableDrawableConstructor1x3(
    std::string key, const sf::Texture& image, const sf::IntRect& rect, unsigned top,
    unsigned bottom, bool repeating)
{
    StoreDescription(key, ComposedStretchableDrawableConstructor::Create1x3(image, rect, top, bottom,
                                                                            repeating));
}

void ContentManager::CreateComposedStretchableDrawableConstructor1x3(
    std::string key, std::string imageKey, const sf::IntRect& rect, unsigned top, unsigned bottom,
    bool repeating)
{
    CreateComposedStretchableDrawableConstructor1x3(key, ImageTexture(imageKey), rect, top, bottom,
                                                    repeating);
}

void ContentManager::CreateComposedStretchableDrawableConstructor3x1(
    std::string key, const sf::Texture& image, const sf::IntRect& rect, unsigned left,
    unsigned right, bool repeating)
{
    StoreDescription(key, ComposedStretchableDrawableConstructor::Create3x1(image, rect, left, right,
                                                                            repeating));
}

void ContentManager::CreateComposedStretchableDrawableConstructor3x1(
    std::string key, std::string imageKey, const sf::IntRect& rect, unsigned left, unsigned right,
    bool repeating)
{
    CreateComposedStretchableDrawableConstructor3x1(key, ImageTexture(imageKey), rect, left, right,
                                                    repeating);
}
