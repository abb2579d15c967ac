#pragma once

#include "gui/ComposedStretchableDrawableConstructor.h"
#include "sound/Sound.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <boost/noncopyable.hpp>

#include <map>
#include <memory>
#include <string>

// The one store of the game's content: images, fonts, sounds and composed
// drawable descriptions, each in its own key space, read from "data/".
// Everything is kept for the whole run and lent out by reference; a reference
// stays valid however much is added later, and a reload happens in place.
// An image is kept twice: its pixels (for pixel-exact tests) and a texture
// made from them once (for drawing), both under the image's key.
class ContentManager : private boost::noncopyable
{
public:
    ContentManager();
    virtual ~ContentManager();

    const sf::Image& GetImage(std::string key);
    const sf::Texture& GetTexture(std::string key);
    const sf::Font& GetFont(std::string key);
    Sound& GetSound(std::string key);
    const ComposedStretchableDrawableConstructor& GetComposedStretchableDrawableConstructor(std::string key);

    // File names are relative to the kind's folder ("data/images/" and so on).
    void LoadImage(std::string key, std::string file);
    void LoadImage(std::string key);
    void LoadFont(std::string key, std::string file);
    void LoadFont(std::string key);
    void LoadSound(std::string key, std::string file);
    void LoadSound(std::string key);

    // A key that already holds a description keeps it; the new one is dropped.
    void CreateComposedStretchableDrawableConstructor3x3(std::string key, const sf::Texture& image,
                                                         const sf::IntRect& rect, unsigned left,
                                                         unsigned right, unsigned top,
                                                         unsigned bottom, bool repeating);
    void CreateComposedStretchableDrawableConstructor3x3(std::string key, std::string imageKey,
                                                         const sf::IntRect& rect, unsigned left,
                                                         unsigned right, unsigned top,
                                                         unsigned bottom, bool repeating);
    void CreateComposedStretchableDrawableConstructor1x3(std::string key, const sf::Texture& image,
                                                         const sf::IntRect& rect, unsigned top,
                                                         unsigned bottom, bool repeating);
    void CreateComposedStretchableDrawableConstructor1x3(std::string key, std::string imageKey,
                                                         const sf::IntRect& rect, unsigned top,
                                                         unsigned bottom, bool repeating);
    void CreateComposedStretchableDrawableConstructor3x1(std::string key, const sf::Texture& image,
                                                         const sf::IntRect& rect, unsigned left,
                                                         unsigned right, bool repeating);
    void CreateComposedStretchableDrawableConstructor3x1(std::string key, std::string imageKey,
                                                         const sf::IntRect& rect, unsigned left,
                                                         unsigned right, bool repeating);

    // Frees every stored sound of the sound library. The owner calls it while
    // the sound system still lives (the destructor does it again, harmlessly).
    void ReleaseSounds();

private:
    struct StoredImage
    {
        sf::Image pixels;
        sf::Texture texture;
    };

    const sf::Texture& ImageTexture(const std::string& imageKey);
    void StoreDescription(const std::string& key, ComposedStretchableDrawableConstructor* description);

    std::string m_contentFolder;
    std::string m_imageFolder;
    std::map<std::string, std::unique_ptr<StoredImage>> m_images;
    std::string m_soundFolder;
    std::map<std::string, std::unique_ptr<Sound>> m_sounds;
    std::string m_fontFolder;
    std::map<std::string, std::unique_ptr<sf::Font>> m_fonts;
    std::map<std::string, std::unique_ptr<ComposedStretchableDrawableConstructor>>
        m_composedStretchableDrawableConstructors;
};
