#include "gui/GuiKeylessOptionField.h"

#include "entity/DragDropRestricted.h"
#include "gui/ComposedStretchableDrawable.h"
#include "gui/GuiEventHelper.h"
#include "manager/ContentManager.h"
#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

namespace
{
const unsigned LABEL_SIZE = 24;
const float LABEL_TOP = 5.0f;
}

GuiKeylessOptionField::GuiKeylessOptionField(const sf::Vector2<float>& position, int width,
    const std::vector<std::string>& options, std::string name)
    : GuiElement(GuiKeylessOptionFieldType, position, name)
    , m_optionHeight(0.0f)
    , m_width(0)
    , m_height(0)
{
    if (options.empty())
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("Option field needs at least one option"));
    if (width < 0)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("Option field width must not be negative"));
    ContentManager& content = m_gameManager->GetContentManager();
    const ComposedStretchableDrawableConstructor& bar = content.GetComposedStretchableDrawableConstructor("gui/button1");
    const float h = static_cast<float>(bar.GetOriginalHeight());
    const float count = static_cast<float>(options.size());
    m_optionHeight = h;
    m_width = width;
    m_height = static_cast<int>(count * h);
    // The bar has one row: it is one option high whatever height is asked.
    m_background = std::make_unique<ComposedStretchableDrawable>(
        bar, static_cast<float>(width), static_cast<float>(m_height), true);

    const sf::Texture& startCap = content.GetTexture("gui/button_drop_start");
    m_startCap.setTexture(startCap, true);
    const int s = static_cast<int>(startCap.getSize().x);
    m_background->move(static_cast<float>(s), 0.0f);

    const sf::Font& font = content.GetFont("standard");
    float y = 0.0f;
    for (const std::string& option : options)
    {
        auto label = std::make_unique<sf::Text>(option, font, LABEL_SIZE);
        label->setFillColor(sf::Color(0, 0, 0, 255));
        label->setOrigin(std::trunc(label->getLocalBounds().width * 0.5f), 0.0f);
        label->move(static_cast<float>(s + width / 2), y + LABEL_TOP);
        m_labels.push_back(std::move(label));
        y = std::trunc(y + h);
    }
    m_width = width + s;

    // The track runs from the first option's cap centre to the last one's.
    const float minimum = m_startCap.getPosition().y + static_cast<float>(startCap.getSize().y / 2);
    m_handle = std::make_shared<DragDropRestricted>(content.GetTexture("gui/button_drop_element"),
        DragDropRestricted::RestrictionVertical, minimum, minimum + (count - 1.0f) * h,
        m_startCap.getPosition().x + static_cast<float>(s / 2));

    m_background->move(position);
    for (auto& label : m_labels)
        label->move(position);
    m_startCap.move(position);
    m_handle->Move(position);
}

GuiKeylessOptionField::~GuiKeylessOptionField() = default;

bool GuiKeylessOptionField::HandleEvent(const sf::Event& event, bool)
{
    if (!IsVisible())
        return false;
    m_handle->HandleEvent(event);
    if (!GuiEventHelper::IsMouseEvent(event))
        return false;
    if (m_handle->IsMouseOver())
        return true;
    const int index = IndexOf(m_handle->GetMovableValue());
    m_handle->SetMovableValue(GetIndexHeight(0) + static_cast<float>(index) * m_optionHeight);
    return false;
}

void GuiKeylessOptionField::Process()
{
}

void GuiKeylessOptionField::Draw()
{
    if (!IsVisible())
        return;
    sf::RenderWindow& window = *m_gameManager->GetRenderWindow();
    // The cap and the bar are drawn once per option, each a bar lower.
    sf::RenderStates row;
    for (const auto& label : m_labels)
    {
        window.draw(m_startCap, row);
        window.draw(*m_background, row);
        window.draw(*label);
        row.transform.translate(0.0f, m_optionHeight);
    }
    m_handle->Draw();
}

float GuiKeylessOptionField::GetWidth() const
{
    return static_cast<float>(m_width);
}

float GuiKeylessOptionField::GetHeight() const
{
    return static_cast<float>(m_height);
}

void GuiKeylessOptionField::MoveChildren(const sf::Vector2<float>& delta)
{
    m_background->move(delta);
    for (auto& label : m_labels)
        label->move(delta);
    m_startCap.move(delta);
    m_handle->Move(delta);
}

int GuiKeylessOptionField::GetIndex() const
{
    return IndexOf(m_handle->GetMovableValue());
}

void GuiKeylessOptionField::SetIndex(int index)
{
    m_handle->SetMovableValue(GetIndexHeight(index));
}

float GuiKeylessOptionField::GetIndexHeight(int index) const
{
    return m_handle->GetMin() + static_cast<float>(index) * m_optionHeight;
}

int GuiKeylessOptionField::IndexOf(float handleValue) const
{
    return static_cast<int>(std::ceil(((handleValue - GetIndexHeight(0)) - 0.5f * m_optionHeight) / m_optionHeight));
}
