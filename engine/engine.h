// The whole engine layer in one include, room by room from the ground floor up: a room includes
// only the rooms listed before it.
#pragma once

// engine/base: objects, pools, containers, geometry, strings, the log
#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCObject.h"
#include "engine/base/CCRetainedSnapshot.h"
#include "engine/base/CCSet.h"
#include "engine/base/CCString.h"
#include "engine/base/CCStringFormat.h"
#include "engine/base/ccTypes.h"

// engine/io: files against the book folder, property lists
#include "engine/io/CCFileUtils.h"
#include "engine/io/CCPropertyList.h"

// engine/render: the drawing front end, textures and their cache
#include "engine/render/CCFrameRecorder.h"
#include "engine/render/CCRenderer.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/render/CCTextureSlot.h"

// engine/render/sdl, engine/render/null: the backends (an SDL_Renderer, and one that only counts)
#include "engine/render/null/CCNullRenderer.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"
#include "engine/render/sdl/CCSDLTextureCopy.h"
#include "engine/render/sdl/CCSoftwareCanvas.h"

// engine/audio: the sound engine and its backends
#include "engine/audio/AudioBackend.h"
#include "engine/audio/FileVoiceCapture.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/SdlVoiceCapture.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/TimeStretch.h"
#include "engine/audio/VirtualClockAudioBackend.h"
#include "engine/audio/VoiceCapture.h"

// engine/scene: nodes, scenes, scheduler, action manager, touches, the view, the director
#include "engine/scene/CCAction.h"
#include "engine/scene/CCActionManager.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCEGLView.h"
#include "engine/scene/CCLayer.h"
#include "engine/scene/CCNode.h"
#include "engine/scene/CCScene.h"
#include "engine/scene/CCScheduler.h"
#include "engine/scene/CCTouch.h"
#include "engine/scene/CCTouchDelegate.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/scene/CCTouchDispatcher.h"

// engine/actions: instant, interval, composite and eased actions
#include "engine/actions/CCActionEase.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"

// engine/sprites: sprites, sheets, batch nodes, clipping, draw nodes
#include "engine/sprites/CCClippingNode.h"
#include "engine/sprites/CCDrawNode.h"
#include "engine/sprites/CCGeometryStrings.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteBatchNode.h"
#include "engine/sprites/CCSpriteFrame.h"
#include "engine/sprites/CCSpriteFrameCache.h"
#include "engine/sprites/CCTextureAtlas.h"

// engine/text: fonts, labels, text fields, input method
#include "engine/text/CCIMEDispatcher.h"
#include "engine/text/CCLabelAtlas.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelProtocol.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/CCTextFieldTTF.h"

// engine/menu: menus and their items
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/menu/CCMenuItemSprite.h"

// engine/transitions: scene transitions
#include "engine/transitions/CCPageCurlMesh.h"
#include "engine/transitions/CCSceneSnapshot.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"

// engine/host: the window application and the headless host
#include "engine/host/CCApplication.h"
#include "engine/host/CCHeadlessHost.h"
#include "engine/host/CCHostScript.h"
#include "engine/host/CCSceneApplication.h"
