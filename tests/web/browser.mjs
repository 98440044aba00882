// What the browser tests and measurements share: the page served by
// packaging/web/serve.sh, Debian's Chromium driven by puppeteer-core, and the
// game's canvas read with the desktop tests' own eyes (read_game).
import { execFile, spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import puppeteer from 'puppeteer-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const readGame = process.env.ZELVANE_READ_GAME ?? path.join(root, 'build/test/tests/web/read_game');

// Where the Start and End buttons wait, in game pixels.
export const startButton = { x: 432, y: 32 };
export const endButton = { x: 432, y: 72 };

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Serves build/web/site, or another site, on a free port or the one given;
// resolves to its address and a stop.
export function serve({ port = 0, site } = {}) {
  const args = [String(port), ...(site ? [site] : [])];
  const server = spawn(path.join(root, 'packaging/web/serve.sh'), args, { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (chunk) => {
      said += chunk;
      const address = said.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (address) {
        const stopped = new Promise((done) => server.on('exit', done));
        resolve({ address: address[0], stop: () => server.kill() && stopped });
      }
    });
    server.on('exit', (code) => reject(new Error(`serve.sh ended with ${code} before serving`)));
  });
}

// A fresh browser profile, kept across browser restarts until removed.
export function newProfile() {
  const dir = mkdtempSync(path.join(tmpdir(), 'zelvane-chromium-'));
  return { dir, remove: () => rmSync(dir, { recursive: true, force: true }) };
}

// Debian's Chromium, headless, with no network of its own.
export function launch(profile) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile.dir,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
}

// A page that notes every frame the game puts on its canvas and every stretch
// of sound it plays, before any of the page's scripts run. Browsers let a page
// start sound only after the player's first gesture; driven by puppeteer,
// this one counts the navigation as one, so the page is held to the rule:
// a sound device starts silent, and only the page's own resume starts it.
// `intercept`, where given, answers or passes on each of the page's requests.
// Pages meant to play side by side each take a window of their own.
// A page in a window of its own stays shown beside others, as a tab behind
// another would not: a hidden page gets no frames.
let windows = 0;
async function newWindow(browser) {
  const blank = `about:blank#${++windows}`;
  const session = await browser.target().createCDPSession();
  await session.send('Target.createTarget', { url: blank, newWindow: true });
  await session.detach();
  return (await browser.waitForTarget((target) => target.url() === blank)).page();
}

export async function openGame(
  browser,
  address,
  { scale = 1, width = 800, height = 600, intercept, ownWindow = false } = {}
) {
  const page = ownWindow ? await newWindow(browser) : await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  if (intercept) {
    await page.setRequestInterception(true);
    page.on('request', intercept);
  }
  await page.evaluateOnNewDocument(() => {
    const Device = window.AudioContext;
    window.AudioContext = function (...args) {
      const device = new Device(...args);
      device.suspend();
      return device;
    };
    window.AudioContext.prototype = Device.prototype;
    window.zelvaneFrames = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
      put.apply(this, args);
      window.zelvaneFrames.push(performance.now());
    };
    window.zelvaneSound = [];
    const processor = Device.prototype.createScriptProcessor;
    Device.prototype.createScriptProcessor = function (...args) {
      const node = processor.apply(this, args);
      let fill = null;
      Object.defineProperty(node, 'onaudioprocess', {
        set(handler) {
          fill = handler;
        },
        get: () => fill,
      });
      node.addEventListener('audioprocess', (event) => {
        fill?.(event);
        const samples = event.outputBuffer.getChannelData(0);
        if (samples.some((sample) => sample !== 0)) window.zelvaneSound.push(performance.now());
      });
      return node;
    };
  });
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(address, { waitUntil: 'load' });
  return page;
}

// The canvas as the game drew it, saved as a PNG.
export async function canvasPng(page, file) {
  const url = await page.$eval('#canvas', (canvas) => canvas.toDataURL('image/png'));
  writeFileSync(file, Buffer.from(url.slice(url.indexOf(',') + 1), 'base64'));
}

const scratch = mkdtempSync(path.join(tmpdir(), 'zelvane-canvas-'));
process.on('exit', () => rmSync(scratch, { recursive: true, force: true }));

// What the canvas shows: buttons waiting, ready banner, falling wave (row and
// letters 0..25), score, records rows, GAME OVER, results rates.
export async function readScreen(page) {
  const file = path.join(scratch, 'canvas.png');
  await canvasPng(page, file);
  const { stdout } = await promisify(execFile)(readGame, ['screen', file]);
  return JSON.parse(stdout);
}

// The table a records file holds, and whether its bytes are exactly the game's.
export async function readRecords(bytes) {
  const file = path.join(scratch, 'jkl.yen');
  writeFileSync(file, bytes);
  const { stdout } = await promisify(execFile)(readGame, ['records', file]);
  return JSON.parse(stdout);
}

// Polls the canvas until `wanted` holds for what it shows; returns that, or
// throws after `timeout` ms naming `what`.
export async function waitForScreen(page, wanted, what, timeout = 10000, poll = 100) {
  const until = Date.now() + timeout;
  for (;;) {
    const screen = await readScreen(page);
    if (wanted(screen)) return screen;
    if (Date.now() > until) throw new Error(`${what}: not seen within ${timeout} ms; last seen ${JSON.stringify(screen)}`);
    await sleep(poll);
  }
}

// Clicks a point of the game, in game pixels, wherever the page put the canvas.
export async function clickGame(page, at) {
  const box = await page.$eval('#canvas', (canvas) => {
    const r = canvas.getBoundingClientRect();
    return { x: r.x, y: r.y, scale: r.width / canvas.width };
  });
  await page.mouse.click(box.x + (at.x + 0.5) * box.scale, box.y + (at.y + 0.5) * box.scale);
}

// Presses the key that means `letter` (0 for A) in the player's layout, on
// the physical key `place` (as an AZERTY keyboard's A sits where QWERTY has Q).
export async function pressLetter(page, letter, place = letter) {
  const key = String.fromCharCode(97 + letter);
  const code = `Key${String.fromCharCode(65 + place)}`;
  const session = await page.createCDPSession();
  const event = { key, code, windowsVirtualKeyCode: 65 + letter, nativeVirtualKeyCode: 65 + letter };
  await session.send('Input.dispatchKeyEvent', { type: 'keyDown', text: key, ...event });
  await session.send('Input.dispatchKeyEvent', { type: 'keyUp', ...event });
  await session.detach();
}

// The records file as kept in the browser's IndexedDB, byte for byte.
export function storedRecords(page) {
  return page.evaluate(
    () =>
      new Promise((resolve, reject) => {
        const open = indexedDB.open('/zelvane');
        open.onerror = () => reject(open.error);
        open.onsuccess = () => {
          const get = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').get('/zelvane/jkl.yen');
          get.onerror = () => reject(get.error);
          get.onsuccess = () => resolve(get.result ? Array.from(get.result.contents) : null);
        };
      })
  );
}
